#include "app/installation_record.h"

#include <objbase.h>
#include <windows.h>

#include "app/installation_record_values.h"
#include "app/system_checks/os_info.h"
#include "core/process/tl_install_path.h"
#include "core/process/tl_process_info_block.h"
#include "core/tools/tools.h"
#include "core/windows/file_version.h"
#include "engine/copy/core_library_copy.h"
#include "engine/filesystem/tl_file_system.h"

namespace installation {
namespace {

TLString NewGuid() {
    GUID guid;
    wchar_t text[64] = {};
    if (CoCreateGuid(&guid) != S_OK || !StringFromGUID2(guid, text, 64)) return TLString();
    return TLString(text);
}

TLString NewProgramFile(const TLString& source_folder) {
    return source_folder + u"Tunevault\\" + tools::MainProgramFileName();
}

constexpr std::u16string_view kName = u"RegisterInstallation";

int StringType(bool is_folder) {
    return is_folder ? tltools::ISettings::kExpandableString : tltools::ISettings::kPlainString;
}

// The record is left as far as it could be written; later programs of the family then do not find
// this installation, which the log says.
void LogNotWritten(const TLString& what, const TLString& where) {
    tools::Log(kName, TLString::Format(u"%s cannot be written: %s", what, where), tltools::ILogger::kError);
}

void WriteInstallationsRecord(const InstallSession& session, const TLString& source_folder) {
    const TLString product = tools::ProductItem(3);
    const TLString installations_key(kInstallationsKey);
    tools::Settings installations = tools::OpenRegistryKey(HKEY_LOCAL_MACHINE, installations_key);
    if (!installations.SetString(TLString(), product))
        LogNotWritten(u"The installations record's product installed last"_tl, installations_key);
    const TLString record_key = installations_key + u"\\" + product;
    tools::Settings record = tools::OpenRegistryKey(HKEY_LOCAL_MACHINE, record_key);
    if (!record.IsOpen()) {
        LogNotWritten(u"The installations record"_tl, record_key);
        return;
    }
    RecordFacts facts;
    facts.destination_folder = session.DestinationFolder();
    facts.version_text = tlwin::FileVersionText(NewProgramFile(source_folder));
    facts.os_code = syschecks::GetOsInfo().code;
    facts.launcher_name = tools::LauncherFileName();
    facts.uninstall_key = session.UninstallKeyName;
    facts.existing_guid = record.GetString(u"GUID", TLString());
    if (facts.existing_guid.empty()) facts.new_guid = NewGuid();
    for (const RecordValue& value : RecordValues(facts)) {
        const bool written = value.is_integer ? record.SetInteger(value.name, value.integer)
                                              : record.SetString(value.name, value.text, StringType(value.is_folder));
        if (!written) LogNotWritten(u"The installations record's value \""_tl + value.name + u"\"", record_key);
    }
}

}  // namespace

bool InstalledVersionNotOlder(const InstallSession& session, const TLString& source_folder) {
    CurrentnessFacts facts;
    facts.allow_downgrade = session.AllowDowngrade;
    facts.existing_installation_found = session.ExistingInstallationFound;
    facts.portable = session.PortableMode;
    TLProcessInfoBlock* block = TLProcessInfoBlock::Get();
    TLString installed = block ? block->GetString(TLProcessInfoBlock::kInstallFolder) : TLString();
    installed.EnsureTrailingBackslash();
    facts.installed_version = tlwin::FileVersion(installed + tools::MainProgramFileName());
    facts.new_version = tlwin::FileVersion(NewProgramFile(source_folder));
    return InstalledVersionNotOlder(facts);
}

bool RegisterInstallation(const InstallSession& session, const TLString& source_folder, void* owner_window,
                          TLStringArray& copied) {
    if (!engine::CopyCoreLibraries(source_folder + u"Tunevault\\", session.DestinationFolder(), owner_window, copied))
        return false;
    if (!session.PortableMode) WriteInstallationsRecord(session, source_folder);
    tools::Settings installer = tools::OpenSettingsSection(u"Installer");
    if (!session.DistributorId.empty() && !installer.SetString(u"Distributor ID", session.DistributorId))
        LogNotWritten(u"The installer setting \"Distributor ID\""_tl, u"Installer"_tl);
    if (!installer.SetString(u"Install Directory", session.DestinationFolder(), StringType(true)))
        LogNotWritten(u"The installer setting \"Install Directory\""_tl, u"Installer"_tl);
    return true;
}

bool CompletePortableInstall(const InstallSession& session) {
    TLProcessInfoBlock* block = TLProcessInfoBlock::Get();
    if (block) SetInstallPath(*block, session.DestinationFolder(), false, true);
    if (!session.PortableMode) return true;
    if (block) {
        block->SetByte(TLProcessInfoBlock::kPortableByte, 1);
        block->ComputeAppDataFolder();
    }
    if (tltools::IProductInfo* info = tools::ProductInfo()) {
        TLString error;
        info->Load(TLString(), &error);
    }
    TLFileSystem::MakeDirectoryTree(session.DestinationFolder());
    const TLString marker = session.DestinationFolder() + u"Portable.dat";
    HANDLE file = CreateFileW(marker.wc(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return true;
}

}  // namespace installation
