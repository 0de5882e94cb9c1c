#pragma once
// One change an install made to the machine, with what is needed to undo it, as plain data: the
// journal of a running install is a list of these, and so is the install record the uninstaller reads.
// More kinds of change (shortcuts, package actions, ...) are more kinds here and one more undo each.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/string/tl_string.h"

namespace journal {

enum class EntryKind {
    kCreatedFolder,   // path: a folder that was not there; undone by removing it when empty
    kCreatedFile,     // path: a file that was not there; undone by deleting it
    kReplacedFile,    // path, aside: the earlier file was renamed to `aside`; undone by renaming it back
    kMovedFileAside,  // path, aside: a file was renamed to `aside` in place of deleting it
    kMovedTreeAside,  // path, aside: a folder tree was renamed to `aside` in place of deleting it
    kAnnouncedFont,   // path: a font handed to Windows; undone by taking it back
    kCreatedKey,      // root, path: a registry key that was not there; undone by deleting it when empty
    kRegistryValue,   // root, path, name, earlier[, written]: a value written; undone by putting `earlier`
                      // back, unless it no longer holds `written`
};

// A registry value as it was: missing, or its type and raw bytes.
struct ValueState {
    bool existed = false;
    uint32_t type = 0;
    std::vector<uint8_t> data;
    friend bool operator==(const ValueState&, const ValueState&) = default;
};

struct Entry {
    EntryKind kind = EntryKind::kCreatedFile;
    TLString path;   // file or folder; for registry entries the key below `root`
    TLString aside;  // the set-aside name of a replaced file or moved tree
    TLString root;   // "HKLM" or "HKCU"
    TLString name;   // the registry value's name ("" for the key's default value)
    ValueState earlier;
    // What the install wrote into the value; absent in records of installs that did not note it.
    std::optional<ValueState> written;
    friend bool operator==(const Entry&, const Entry&) = default;
};

// A change to a file or folder; `aside` for the kinds that set something aside.
Entry PathEntry(EntryKind kind, TLString path, TLString aside = TLString());
// A registry key made, or a value written with what it held before.
Entry RegistryEntry(EntryKind kind, TLString root, TLString key, TLString name = TLString(),
                    ValueState earlier = ValueState());

// One line of text per entry (no line end): its kind's word and its fields, separated by tabs, with
// "%", tab, carriage return and line feed inside a field written as "%25", "%09", "%0D", "%0A".
TLString FormatEntry(const Entry& entry);
// The entry of a line written by FormatEntry; nothing for a line that is not one.
std::optional<Entry> ParseEntry(std::u16string_view line);

// The first line of a journal file and of an install record.
inline constexpr char16_t kJournalHeader[] = u"TLJN0001";
inline constexpr char16_t kRecordHeader[] = u"TLIR0001";

// A whole file: the header line, then one line per entry, each ending in "\r\n".
TLString FormatEntries(std::u16string_view header, const std::vector<Entry>& entries);
// The entries of such a file; nothing when the header is not `header`. A last line cut short (a run
// ended while writing it) is left out.
std::optional<std::vector<Entry>> ParseEntries(std::u16string_view header, std::u16string_view text);

// What lasts of a finished install, for the uninstaller: the entries without their set-aside names
// (those are gone once the install is done), and the files and trees moved aside (deleted by then)
// left out. A
// path noted twice in one run is listed once, as first noted: a file created and then replaced
// again by a retry is still a file the install created; a value keeps the earliest earlier value; a
// key noted as made after a value of it (or of a key below it) was noted as there is one the run
// deleted and made again, not one it made.
std::vector<Entry> LastingPart(const std::vector<Entry>& entries);
// A record with later changes added to it: those of a run after the install (the associations chosen
// afterwards) or of a reinstall into the same folder. What both name keeps what `listed` says of it, so
// that an undo goes back to the state before the first install; a value `added` names again loses
// its written data, which is then what it holds once the added changes are made. A record written from
// the result lists each thing once (LastingPositions).
std::vector<Entry> JoinRecords(std::vector<Entry> listed, const std::vector<Entry>& added);
// The same as the positions in `entries` of what lasts, for writing a large record without copies.
std::vector<size_t> LastingPositions(const std::vector<Entry>& entries);
// The line of a lasting entry in the record: without its set-aside name.
TLString FormatLastingEntry(const Entry& entry);

}  // namespace journal
