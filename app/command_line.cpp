#include "app/command_line.h"

#include "core/string/tl_string_library.h"

namespace CommandLine {

TLStringArray Tokenise(std::u16string_view line) {
    TLStringArray tokens;
    TLString token;
    bool in_quotes = false;
    size_t backslashes = 0;  // consecutive backslashes right before the current character
    for (const char16_t c : line) {
        if (c == u'"' && backslashes % 2 == 1) {
            token += c;
        } else if (c == u'"' && !in_quotes) {
            in_quotes = true;
        } else if (c == u'"') {
            in_quotes = false;
            tokens.Add(token);
            token.Clear();
        } else if (c == u' ' && !in_quotes) {
            if (!token.empty()) tokens.Add(token);
            token.Clear();
        } else {
            token += c;
        }
        backslashes = c == u'\\' ? backslashes + 1 : 0;
    }
    if (!token.empty()) tokens.Add(token);
    return tokens;
}

TLString Normalise(const TLStringArray& tokens) {
    TLString line;
    for (size_t i = 0; i < tokens.GetCount(); ++i) {
        TLString token = tokens[i];
        token.Replace(u"\"", u"\\\"");
        if (token.empty() || token.FindOneOf(u" '()") != TLString::npos) token = u"\"" + token + u"\"";
        if (i) line += u' ';
        line += token;
    }
    return line;
}

namespace {

void SetFlag(bool InstallSession::*flag, InstallSession& session, std::u16string_view) { session.*flag = true; }

void SetDistributor(bool InstallSession::*, InstallSession& session, std::u16string_view rest) {
    session.DistributorId = TLString(rest).Trim();
}

// A path after "Name=". The normalised line quotes a whole token that holds a space, so the piece
// ends in its closing quote, followed by the opening quote of a next quoted token; a Windows path
// never holds a quote, so the value ends at the first one.
TLString PathValue(std::u16string_view rest) {
    TLString value = TLString(rest).Trim();
    if (!value.empty() && value[0] == u'"') value = value.Mid(1);
    const size_t quote = value.Find(u'"');
    if (quote != TLString::npos) value.Truncate(quote);
    return value.Trim();
}

void SetLogFile(bool InstallSession::*, InstallSession& session, std::u16string_view rest) {
    session.LogFile = PathValue(rest);
}

void SetDestination(bool InstallSession::*, InstallSession& session, std::u16string_view rest) {
    session.DestinationSwitch = PathValue(rest);
}

struct Switch {
    std::u16string_view name;
    bool InstallSession::*flag;
    void (*apply)(bool InstallSession::*, InstallSession&, std::u16string_view rest);
};

// Tried in this order; the first name that begins a piece decides.
constexpr Switch kSwitches[] = {
    {u"DistributorID", nullptr, SetDistributor},
    {u"Silent", &InstallSession::Silent, SetFlag},
    {u"Upgrade", &InstallSession::Upgrade, SetFlag},
    {u"NoAssociations", &InstallSession::NoAssociations, SetFlag},
    {u"NoDependencies", &InstallSession::NoDependencies, SetFlag},
    {u"NoUpgrade", &InstallSession::NoUpgrade, SetFlag},
    {u"NoDriver", &InstallSession::NoDriver, SetFlag},
    {u"NoRun", &InstallSession::NoRun, SetFlag},
    // The "=" belongs to the names below, so that "/Logo" or "/Directory" set nothing.
    {u"Log=", nullptr, SetLogFile},
    {u"ResultCode", &InstallSession::ResultCode, SetFlag},
    {u"NoMessageBoxes", &InstallSession::NoMessageBoxes, SetFlag},
    {u"Dir=", nullptr, SetDestination},
};

bool BeginsWithNoCase(std::u16string_view piece, std::u16string_view name) {
    if (piece.size() < name.size()) return false;
    for (size_t i = 0; i < name.size(); ++i)
        if (TLStringLibrary::ToLower(piece[i]) != TLStringLibrary::ToLower(name[i])) return false;
    return true;
}

}  // namespace

void ParseSwitches(std::u16string_view line, InstallSession& session) {
    // Every "/" starts a piece, also one inside a quoted value; the text before the first is no switch.
    size_t slash = line.find(u'/');
    while (slash != std::u16string_view::npos) {
        const size_t next = line.find(u'/', slash + 1);
        const std::u16string_view piece = line.substr(slash + 1, next == line.npos ? line.npos : next - slash - 1);
        for (const Switch& s : kSwitches) {
            if (BeginsWithNoCase(piece, s.name)) {
                s.apply(s.flag, session, piece.substr(s.name.size()));
                break;
            }
        }
        slash = next;
    }
}

TLString DescribeSwitches(const InstallSession& session) {
    TLString line = u"Switches:";
    for (const Switch& s : kSwitches)
        if (s.flag) line += TLString::Format(u" %s=%d", s.name, session.*(s.flag) ? 1 : 0);
    return line + TLString::Format(u" DistributorID=[%s] Log=[%s] Dir=[%s]", session.DistributorId, session.LogFile,
                                   session.DestinationSwitch);
}

std::vector<std::u16string_view> SwitchNames() {
    std::vector<std::u16string_view> names;
    for (const Switch& s : kSwitches) names.push_back(s.name);
    return names;
}

}  // namespace CommandLine
