#include "toolkit/header_markup.h"

namespace toolkit {
namespace {

constexpr std::u16string_view kBoldOn = u"<b>";
constexpr std::u16string_view kBoldOff = u"</b>";

MarkupLine ParseLine(std::u16string_view line, bool& bold) {
    MarkupLine parsed;
    while (!line.empty() && line.front() == u'\t') {
        ++parsed.indent;
        line.remove_prefix(1);
    }
    TLString run;
    auto flush = [&] {
        if (!run.empty()) parsed.runs.push_back({run, bold});
        run.Clear();
    };
    while (!line.empty()) {
        // A bold stretch left open at the end of a line carries on into the next one.
        const bool opens = line.starts_with(kBoldOn);
        if (opens || line.starts_with(kBoldOff)) {
            flush();
            bold = opens;
            line.remove_prefix(opens ? kBoldOn.size() : kBoldOff.size());
            continue;
        }
        run += line.front();
        line.remove_prefix(1);
    }
    flush();
    return parsed;
}

}  // namespace

std::vector<MarkupLine> ParseMarkup(const TLString& text) {
    std::vector<MarkupLine> lines;
    bool bold = false;
    std::u16string_view rest = text.view();
    while (true) {
        const size_t end = rest.find(u"\r\n");
        lines.push_back(ParseLine(rest.substr(0, end), bold));
        if (end == std::u16string_view::npos) break;
        rest.remove_prefix(end + 2);
    }
    if (lines.size() == 1 && lines.front().runs.empty()) lines.clear();
    return lines;
}

TLString HeaderText(const TLString& title, const TLString& subtitle) {
    TLString text = TLString(kBoldOn) + title + kBoldOff;
    if (!subtitle.empty()) text += TLString(u"\r\n\t") + subtitle;
    return text;
}

TLString PlainText(const std::vector<MarkupLine>& lines) {
    TLString text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i) text += u'\n';
        for (const MarkupRun& run : lines[i].runs) text += run.text;
    }
    return text;
}

}  // namespace toolkit
