#include "engine/journal/journal_entry.h"

#include <algorithm>
#include <array>
#include <unordered_set>
#include <utility>

namespace journal {
namespace {

struct KindWord {
    EntryKind kind;
    std::u16string_view word;
};
constexpr std::array<KindWord, 8> kKindWords{{
    {EntryKind::kCreatedFolder, u"created-folder"},
    {EntryKind::kCreatedFile, u"created-file"},
    {EntryKind::kReplacedFile, u"replaced-file"},
    {EntryKind::kMovedFileAside, u"file-aside"},
    {EntryKind::kMovedTreeAside, u"tree-aside"},
    {EntryKind::kAnnouncedFont, u"font"},
    {EntryKind::kCreatedKey, u"created-key"},
    {EntryKind::kRegistryValue, u"registry-value"},
}};

// The characters that would end a field or a line, and the escape's own sign.
constexpr std::array<std::pair<char16_t, std::u16string_view>, 4> kEscapes{{
    {u'%', u"%25"},
    {u'\t', u"%09"},
    {u'\r', u"%0D"},
    {u'\n', u"%0A"},
}};

void AppendField(TLString& line, std::u16string_view field) {
    line += u'\t';
    for (const char16_t c : field) {
        const auto escape = std::find_if(kEscapes.begin(), kEscapes.end(), [c](const auto& e) { return e.first == c; });
        if (escape == kEscapes.end())
            line += c;
        else
            line += escape->second;
    }
}

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
}

std::optional<TLString> Unescape(std::u16string_view field) {
    TLString out;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] != u'%') {
            out += field[i];
            continue;
        }
        if (i + 2 >= field.size()) return std::nullopt;
        const int high = HexDigit(field[i + 1]), low = HexDigit(field[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        out += static_cast<char16_t>(high * 16 + low);
        i += 2;
    }
    return out;
}

std::vector<std::u16string_view> SplitFields(std::u16string_view line) {
    std::vector<std::u16string_view> fields;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find(u'\t', start);
        fields.push_back(
            line.substr(start, tab == std::u16string_view::npos ? std::u16string_view::npos : tab - start));
        if (tab == std::u16string_view::npos) return fields;
        start = tab + 1;
    }
}

TLString Hex(const std::vector<uint8_t>& bytes) {
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    TLString out;
    out.Reserve(bytes.size() * 2);
    for (const uint8_t byte : bytes) {
        out += kDigits[byte >> 4];
        out += kDigits[byte & 15];
    }
    return out;
}

std::optional<std::vector<uint8_t>> Bytes(std::u16string_view hex) {
    if (hex.size() % 2) return std::nullopt;
    std::vector<uint8_t> bytes;
    bytes.reserve(hex.size() / 2);
    for (size_t i = 0; i < hex.size(); i += 2) {
        const int high = HexDigit(hex[i]), low = HexDigit(hex[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes.push_back(static_cast<uint8_t>(high * 16 + low));
    }
    return bytes;
}

void AppendValueState(TLString& line, const ValueState& state) {
    AppendField(line, state.existed ? TLString::Format(u"%d", static_cast<int>(state.type)) : TLString(u"-"));
    AppendField(line, Hex(state.data));
}

// A value's type field ("-" when there was none) and its data field.
std::optional<ValueState> ParseValueState(const TLString& type, const TLString& hex) {
    ValueState state;
    state.existed = type != u"-";
    if (state.existed) {
        if (type.empty() || type.FindOneOf(u"0123456789") != 0) return std::nullopt;
        state.type = static_cast<uint32_t>(type.ToInt64());
    }
    std::optional<std::vector<uint8_t>> data = Bytes(hex);
    if (!data) return std::nullopt;
    state.data = std::move(*data);
    return state;
}

// How many fields after the kind's word each kind has (a registry value may add the written value).
size_t FieldCount(EntryKind kind) {
    switch (kind) {
        case EntryKind::kReplacedFile:
        case EntryKind::kMovedFileAside:
        case EntryKind::kMovedTreeAside:
        case EntryKind::kCreatedKey:
            return 2;
        case EntryKind::kRegistryValue:
            return 5;
        default:
            return 1;
    }
}

}  // namespace

Entry PathEntry(EntryKind kind, TLString path, TLString aside) {
    Entry entry;
    entry.kind = kind;
    entry.path = std::move(path);
    entry.aside = std::move(aside);
    return entry;
}

Entry RegistryEntry(EntryKind kind, TLString root, TLString key, TLString name, ValueState earlier) {
    Entry entry;
    entry.kind = kind;
    entry.root = std::move(root);
    entry.path = std::move(key);
    entry.name = std::move(name);
    entry.earlier = std::move(earlier);
    return entry;
}

TLString FormatEntry(const Entry& entry) {
    TLString line;
    for (const KindWord& word : kKindWords)
        if (word.kind == entry.kind) line += word.word;
    switch (entry.kind) {
        case EntryKind::kReplacedFile:
        case EntryKind::kMovedFileAside:
        case EntryKind::kMovedTreeAside:
            AppendField(line, entry.path);
            AppendField(line, entry.aside);
            break;
        case EntryKind::kCreatedKey:
            AppendField(line, entry.root);
            AppendField(line, entry.path);
            break;
        case EntryKind::kRegistryValue:
            AppendField(line, entry.root);
            AppendField(line, entry.path);
            AppendField(line, entry.name);
            AppendValueState(line, entry.earlier);
            if (entry.written) AppendValueState(line, *entry.written);
            break;
        default:
            AppendField(line, entry.path);
    }
    return line;
}

std::optional<Entry> ParseEntry(std::u16string_view line) {
    const std::vector<std::u16string_view> fields = SplitFields(line);
    Entry entry;
    bool known = false;
    for (const KindWord& word : kKindWords)
        if (word.word == fields[0]) {
            entry.kind = word.kind;
            known = true;
        }
    const size_t count = fields.size() - 1;
    const bool with_written = entry.kind == EntryKind::kRegistryValue && count == FieldCount(entry.kind) + 2;
    if (!known || (count != FieldCount(entry.kind) && !with_written)) return std::nullopt;
    std::vector<TLString> values;
    for (size_t i = 1; i < fields.size(); ++i) {
        std::optional<TLString> value = Unescape(fields[i]);
        if (!value) return std::nullopt;
        values.push_back(std::move(*value));
    }
    switch (entry.kind) {
        case EntryKind::kReplacedFile:
        case EntryKind::kMovedFileAside:
        case EntryKind::kMovedTreeAside:
            entry.path = values[0];
            entry.aside = values[1];
            break;
        case EntryKind::kCreatedKey:
            entry.root = values[0];
            entry.path = values[1];
            break;
        case EntryKind::kRegistryValue: {
            entry.root = values[0];
            entry.path = values[1];
            entry.name = values[2];
            std::optional<ValueState> earlier = ParseValueState(values[3], values[4]);
            if (!earlier) return std::nullopt;
            entry.earlier = std::move(*earlier);
            if (with_written) {
                entry.written = ParseValueState(values[5], values[6]);
                if (!entry.written) return std::nullopt;
            }
            break;
        }
        default:
            entry.path = values[0];
    }
    return entry;
}

TLString FormatEntries(std::u16string_view header, const std::vector<Entry>& entries) {
    TLString text(header);
    text += u"\r\n";
    for (const Entry& entry : entries) {
        text += FormatEntry(entry);
        text += u"\r\n";
    }
    return text;
}

std::optional<std::vector<Entry>> ParseEntries(std::u16string_view header, std::u16string_view text) {
    std::vector<std::u16string_view> lines;
    size_t start = 0;
    for (size_t end; (end = text.find(u"\r\n", start)) != std::u16string_view::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    if (lines.empty() || lines[0] != header) return std::nullopt;
    std::vector<Entry> entries;
    for (size_t i = 1; i < lines.size(); ++i)
        if (std::optional<Entry> entry = ParseEntry(lines[i])) entries.push_back(std::move(*entry));
    return entries;
}

namespace {

// Entries that name the same path or value, compared without regard to case, without copying them.
struct SameThing {
    size_t operator()(const std::pair<int, const Entry*>& key) const {
        size_t hash = static_cast<size_t>(key.first);
        for (const TLString* part : {&key.second->root, &key.second->path, &key.second->name}) {
            for (const char16_t c : part->view())
                hash = hash * 131 + static_cast<size_t>(c >= u'A' && c <= u'Z' ? c + (u'a' - u'A') : c);
            hash = hash * 131 + 9;
        }
        return hash;
    }
    bool operator()(const std::pair<int, const Entry*>& a, const std::pair<int, const Entry*>& b) const {
        return a.first == b.first && a.second->root.EqualsNoCase(b.second->root) &&
               a.second->path.EqualsNoCase(b.second->path) && a.second->name.EqualsNoCase(b.second->name);
    }
};

// A registry key as "root\\path", in lower case.
std::u16string KeyName(const Entry& entry) {
    TLString name = entry.root + u"\\" + entry.path;
    return std::u16string(name.MakeLower().view());
}

// The keys a list of entries shows to have been there before its first change: those holding a value
// noted without a note of the key being made, and every key above them. A key deleted and made again
// later on is still one that was there.
class KeysThereBefore {
public:
    // False for a key noted as made that was there before all the same.
    bool NoteMade(const Entry& key) {
        std::u16string name = KeyName(key);
        if (there_.count(name)) return false;
        made_.insert(std::move(name));
        return true;
    }
    void NoteValue(const Entry& value) {
        std::u16string name = KeyName(value);
        if (made_.count(name)) return;
        // Each key above it too, up to the root or one known already.
        while (there_.insert(name).second) {
            const size_t slash = name.rfind(u'\\');
            if (slash == std::u16string::npos) return;
            name.resize(slash);
            if (made_.count(name)) return;
        }
    }

private:
    std::unordered_set<std::u16string> made_;
    std::unordered_set<std::u16string> there_;
};

}  // namespace

std::vector<size_t> LastingPositions(const std::vector<Entry>& entries) {
    std::vector<size_t> lasting;
    std::unordered_set<std::pair<int, const Entry*>, SameThing, SameThing> seen;
    seen.reserve(entries.size());
    KeysThereBefore keys;
    for (size_t i = 0; i < entries.size(); ++i) {
        const Entry& entry = entries[i];
        if (entry.kind == EntryKind::kMovedFileAside || entry.kind == EntryKind::kMovedTreeAside) continue;
        if (entry.kind == EntryKind::kRegistryValue) keys.NoteValue(entry);
        // A key the install deleted and made again was there before it: it is no key the install made.
        if (entry.kind == EntryKind::kCreatedKey && !keys.NoteMade(entry)) continue;
        // A file created and later replaced by a retry is one file the install created.
        const int group = entry.kind == EntryKind::kReplacedFile ? static_cast<int>(EntryKind::kCreatedFile)
                                                                 : static_cast<int>(entry.kind);
        if (seen.insert({group, &entry}).second) lasting.push_back(i);
    }
    return lasting;
}

std::vector<Entry> JoinRecords(std::vector<Entry> listed, const std::vector<Entry>& added) {
    std::unordered_set<std::pair<int, const Entry*>, SameThing, SameThing> values_added;
    for (const Entry& entry : added)
        if (entry.kind == EntryKind::kRegistryValue) values_added.insert({0, &entry});
    for (Entry& entry : listed)
        if (entry.kind == EntryKind::kRegistryValue && values_added.count({0, &entry})) entry.written.reset();
    listed.insert(listed.end(), added.begin(), added.end());
    return listed;
}

std::vector<Entry> LastingPart(const std::vector<Entry>& entries) {
    std::vector<Entry> lasting;
    for (const size_t position : LastingPositions(entries)) {
        Entry kept = entries[position];
        kept.aside = TLString();
        lasting.push_back(std::move(kept));
    }
    return lasting;
}

TLString FormatLastingEntry(const Entry& entry) {
    if (entry.kind != EntryKind::kReplacedFile) return FormatEntry(entry);
    return FormatEntry(PathEntry(entry.kind, entry.path));
}

}  // namespace journal
