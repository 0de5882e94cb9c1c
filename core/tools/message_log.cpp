#include "core/tools/message_log.h"

#include "core/tools/tools.h"

namespace tools {

TLString AnswerName(int answer, const TLStringArray* named_buttons) {
    using tltools::IMessageService;
    const int named = answer - IMessageService::kResultFirstNamed;
    if (named_buttons && named >= 0 && static_cast<size_t>(named) < named_buttons->GetCount())
        return (*named_buttons)[static_cast<size_t>(named)];
    switch (answer) {
        case IMessageService::kResultOk:
            return u"OK";
        case IMessageService::kResultCancel:
            return u"Cancel";
        case IMessageService::kResultYes:
            return u"Yes";
        case IMessageService::kResultNo:
            return u"No";
        default:
            return TLString::Format(u"answer %d", answer);
    }
}

TLString DescribeMessageBox(const TLString& title, const TLString& text, int answer,
                            const TLStringArray* named_buttons) {
    TLString one_line;
    bool in_break = false;
    for (const char16_t c : text.view()) {
        const bool line_break = c == u'\r' || c == u'\n';
        if (line_break && !in_break && !one_line.empty()) one_line += u' ';
        if (!line_break) one_line += c;
        in_break = line_break;
    }
    one_line.TrimRight();
    return TLString::Format(u"\"%s\": %s -> \"%s\"", title, one_line, AnswerName(answer, named_buttons));
}

void LogMessageBox(const TLString& title, const TLString& text, int answer, const TLStringArray* named_buttons) {
    Log(u"MessageBox", DescribeMessageBox(title, text, answer, named_buttons));
}

}  // namespace tools
