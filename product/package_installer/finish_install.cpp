#include "product/package_installer/finish_install.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "core/tools/product_key.h"
#include "core/windows/file_attributes.h"
#include "core/windows/file_operations.h"
#include "core/windows/registry.h"
#include "engine/finalize/finalize_plan.h"
#include "engine/process/run_program.h"

namespace {

constexpr int kKindStep = 0x1000000;

struct Entry {
    int order;  // installs, then deletions, then registrations; each by its number
    TLString name;
    TLString record;
};

// "Install File (12)" gives the number 12 for the format "Install File (%d)", else -1.
int NumberIn(const TLString& name, std::u16string_view format) {
    const std::u16string_view prefix = format.substr(0, format.find(u'%'));
    if (!name.StartsWith(prefix) || name.Last() != u')') return -1;
    const TLString digits = name.Mid(prefix.size(), name.length() - prefix.size() - 1);
    if (digits.empty() || digits.length() > 6 ||
        digits.view().find_first_not_of(u"0123456789") != std::u16string_view::npos)
        return -1;
    return digits.ToInt();
}

// The names of the section's values; the registry layer reads values by name but does not list them.
TLStringArray ValueNames(const tlwin::RegistryKey& section) {
    TLStringArray names;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD length = 256;
        if (RegEnumValueW(section.handle(), index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return names;
        names.Add(TLString(name, length));
    }
}

std::vector<Entry> ReadEntries(const tlwin::RegistryKey& section, const TLStringArray& names) {
    const std::u16string_view formats[] = {engine::kInstallFileFormat, engine::kDeleteFileFormat,
                                           engine::kRegisterFileFormat};
    std::vector<Entry> entries;
    for (const TLString& name : names) {
        TLString record;
        if (!section.ReadString(name, &record)) continue;
        for (int kind = 0; kind < 3; ++kind) {
            const int number = NumberIn(name, formats[kind]);
            if (number >= 0) entries.push_back({kind * kKindStep + number, name, record});
        }
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.order < b.order; });
    return entries;
}

bool Install(const engine::PendingRecord& record, TLString* problem) {
    if (record.second.empty()) {
        *problem = u"staged package left for the product: "_tl + record.first;
        return false;
    }
    // After a restart Windows has already moved the staged file into place.
    if (!tlwin::FileExists(record.first)) {
        *problem = u"staged file missing: "_tl + record.first;
        return false;
    }
    SetFileAttributesW(record.second.wc(), FILE_ATTRIBUTE_NORMAL);
    if (MoveFileExW(record.first.wc(), record.second.wc(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED))
        return true;
    *problem = TLString::Format(u"cannot replace %s (error %d)", record.second, static_cast<int>(GetLastError()));
    return false;
}

bool Delete(const engine::PendingRecord& record, TLString* problem) {
    SetFileAttributesW(record.second.wc(), FILE_ATTRIBUTE_NORMAL);
    if (tlwin::DeleteFileAt(record.second) || GetLastError() == ERROR_FILE_NOT_FOUND) return true;
    *problem = TLString::Format(u"cannot delete %s (error %d)", record.second, static_cast<int>(GetLastError()));
    return false;
}

bool Register(const engine::PendingRecord& record, TLString* problem) {
    if (tlproc::RegisterInProcess(record.second)) return true;
    *problem = u"cannot register "_tl + record.second;
    return false;
}

}  // namespace

void FinishInstall(const std::function<void(const TLString&)>& log) {
    const TLString key = tools::ProductSettingsKey() + engine::kFinalizeSection;
    tlwin::RegistryKey section = tlwin::RegistryKey::Open(HKEY_CURRENT_USER, key, KEY_READ | KEY_WRITE);
    if (!section.IsOpen()) return;
    using Step = bool (*)(const engine::PendingRecord&, TLString*);
    const Step steps[] = {Install, Delete, Register};
    const TLStringArray names = ValueNames(section);
    for (const Entry& entry : ReadEntries(section, names)) {
        TLString problem;
        if (!steps[entry.order / kKindStep](engine::SplitPendingRecord(entry.record), &problem))
            log(entry.name + u": " + problem);
    }
    // Emptied only once every entry was tried: a run cut short leaves the whole list for the next one.
    for (const TLString& name : names) section.DeleteValue(name);
}
