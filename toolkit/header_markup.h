#pragma once
// The header's formatted text: lines separated by "\r\n", leading tabs indenting a line, and
// "<b>" ... "</b>" marking bold stretches. Anything else, other tags included, is plain text.

#include <vector>

#include "core/string/tl_string.h"

namespace toolkit {

struct MarkupRun {
    TLString text;
    bool bold = false;
    friend bool operator==(const MarkupRun&, const MarkupRun&) = default;
};

struct MarkupLine {
    int indent = 0;  // leading tabs
    std::vector<MarkupRun> runs;
    friend bool operator==(const MarkupLine&, const MarkupLine&) = default;
};

std::vector<MarkupLine> ParseMarkup(const TLString& text);

// The header of a wizard page: the title in bold and, when there is one, the subtitle indented on
// the line below.
TLString HeaderText(const TLString& title, const TLString& subtitle);

// The text as a person reads it: the tags left out, lines joined by "\n".
TLString PlainText(const std::vector<MarkupLine>& lines);

}  // namespace toolkit
