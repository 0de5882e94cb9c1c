#include "package/actions/package_actions.h"

#include <windows.h>

#include "core/path/path_parts.h"
#include "core/path/relative_path.h"
#include "core/tools/tools.h"
#include "core/windows/file_operations.h"
#include "core/windows/folder_entries.h"
#include "core/windows/run_program.h"
#include "core/windows/tl_file_system.h"
#include "core/xml/file_text.h"
#include "core/xml/tl_xml_document.h"
#include "package/actions/registry_line.h"
#include "package/archive/unzip_archive.h"
#include "package/plugins/install_wa_plugin.h"

namespace package {
namespace {

using tlwin::TLFileSystem;

constexpr int kWaitForClosing = 10000;

bool IsArchive(const TLString& path) { return tlpath::ExtensionOf(path).EqualsNoCase(u".zip"); }

TLString WindowsFolder(bool system) {
    wchar_t folder[MAX_PATH + 1] = {};
    const UINT length = system ? GetSystemDirectoryW(folder, MAX_PATH + 1) : GetWindowsDirectoryW(folder, MAX_PATH + 1);
    TLString text(folder, length);
    return text.EnsureTrailingBackslash();
}

HKEY RootKey(RegistryRoot root) {
    switch (root) {
        case RegistryRoot::kCurrentUser: return HKEY_CURRENT_USER;
        case RegistryRoot::kLocalMachine: return HKEY_LOCAL_MACHINE;
        case RegistryRoot::kClassesRoot: return HKEY_CLASSES_ROOT;
        case RegistryRoot::kUsers: return HKEY_USERS;
        case RegistryRoot::kCurrentConfig: return HKEY_CURRENT_CONFIG;
    }
    return HKEY_CURRENT_USER;
}

// Notes each folder of `folder` (with its trailing backslash) that is not there yet, outermost first,
// so that the uninstaller takes the inner ones away first.
void NoteMissingFolders(tlwin::IChangeNotes& notes, const TLString& folder) {
    TLStringArray missing;
    for (TLString at = folder; !at.empty() && !TLFileSystem::FolderExists(at);
         at = tlpath::FolderOf(at.Left(at.length() - 1)))
        missing.Add(at);
    for (size_t index = missing.GetCount(); index-- > 0;) notes.NoteCreatedFolder(missing[index]);
}

void NoteFile(tlwin::IChangeNotes& notes, const TLString& path) {
    if (TLFileSystem::FileExists(path))
        notes.NoteReplacedFile(path, TLString());
    else
        notes.NoteCreatedFile(path);
}

// Notes what copying the tree `source` into `destination` (both with a trailing backslash) puts there.
void NoteTree(tlwin::IChangeNotes& notes, const TLString& source, const TLString& destination) {
    NoteMissingFolders(notes, destination);
    tlwin::ForEachEntry(source, [&](const TLString& name, DWORD attributes) {
        if (tlwin::IsLink(attributes)) return true;  // the copy passes links over
        if (tlwin::IsFolder(attributes))
            NoteTree(notes, source + name + u"\\", destination + name + u"\\");
        else
            NoteFile(notes, destination + name);
        return true;
    });
}

}  // namespace

CPackageActions::CPackageActions(const PackageTarget& target, tools::IInstallPrompts& prompts, tlwin::IChangeNotes& notes)
    : target_(target), prompts_(prompts), notes_(notes) {}

bool CPackageActions::Fail(TLString message) {
    failure_ = std::move(message);
    tools::Log(u"CPackageActions", failure_, tltools::ILogger::kError);
    tools::Prompt prompt;
    prompt.title = tools::Translate(u"Information");
    prompt.text = failure_;
    prompts_.Ask(prompt);
    return false;
}

TLString CPackageActions::InsideProductFolder(const TLString& relative) const {
    std::vector<TLString> names;
    if (!tlpath::SplitRelativePath(relative, names)) return TLString();
    TLString path = target_.product_folder;
    for (size_t index = 0; index < names.size(); ++index) {
        if (index) path += u'\\';
        path += names[index];
    }
    return path;
}

bool CPackageActions::Run(const PackageDescription& description, const TLStringArray& local_files,
                          const TLString& unpack_folder) {
    keep_folders_ = description.HasPackageAction(u"SAVE_DIR_STRUCT");
    for (const TLString& word : description.package_actions)
        if (!RunPackageAction(word, description, local_files, unpack_folder)) return false;
    for (size_t index = 0; index < description.entries.size(); ++index) {
        const FileEntry& entry = description.entries[index];
        TLString path = index < local_files.GetCount() ? local_files[index] : TLString();
        // A file that was unpacked is taken from where it was unpacked to.
        if (!unpacked_folder_.empty()) {
            const TLString unpacked = unpacked_folder_ + (keep_folders_ ? entry.file : tlpath::NameOf(entry.file));
            if (TLFileSystem::FileExists(unpacked) || TLFileSystem::FolderExists(unpacked)) path = unpacked;
        }
        for (const FileAction& action : entry.actions)
            if (!RunFileAction(action, entry, path)) return false;
    }
    return true;
}

bool CPackageActions::RunPackageAction(const TLString& word, const PackageDescription& description,
                                       const TLStringArray& local_files, const TLString& unpack_folder) {
    if (word == u"UNZIPDIR") {
        unpacked_folder_ = unpack_folder;
        for (const TLString& file : local_files) {
            if (!IsArchive(file)) continue;
            const UnzipOptions options{.keep_folders = keep_folders_};
            // The unpacked files are this run's own and go with its clean-up.
            if (!UnzipArchive(file, unpack_folder, options, tlwin::NoChangeNotes(), unpacked_))
                return Fail(TLString::Format(tools::Translate(u"Failed to unzip file '%s'."), file));
        }
        unpacked_.Add(unpack_folder);
        return true;
    }
    if (word == u"INSTALLSKIN" || word == u"INSTALLMINISKIN") return InstallSkin(description, local_files, unpack_folder);
    if (word == u"INSTALLMEDIA" || word == u"PREVIEWMEDIA") {
        // The product takes media by its command line: each file is handed to the running product.
        tltools::IProcessPosting* posting = tools::Interface() ? tools::Interface()->GetProcessPosting(1) : nullptr;
        for (const TLString& file : local_files) {
            const TLString command = TLString::Format(word == u"PREVIEWMEDIA" ? u"/Preview \"%s\"" : u"/Add \"%s\"", file);
            if (!posting || !posting->PostCommandLine(command)) tools::LogFormat(u"CPackageActions", u"Not handed on: %s", command);
        }
        return true;
    }
    return true;  // "NONE", "DONT_CLEANUP", "SAVE_DIR_STRUCT" and unknown words do nothing here
}

bool CPackageActions::InstallSkin(const PackageDescription& description, const TLStringArray& local_files,
                                  const TLString& unpack_folder) {
    const TLString failed = tools::Translate(u"INSTALLSKIN action failed.");
    for (const TLString& file : local_files) {
        if (!IsArchive(file)) continue;
        // Unpacked once to learn the skin's kind from its "main.xml", then into its place.
        tlwin::IChangeNotes& temporary = tlwin::NoChangeNotes();
        const TLString look = unpack_folder + u"Skin\\";
        unpacked_.Add(look);
        if (!UnzipArchive(file, look, {.keep_folders = keep_folders_}, temporary, unpacked_)) return Fail(failed);
        TLString text;
        TLXMLDocument document(TLXMLDocument::kIgnoreCase);
        if (!tlxml::ReadTextFile(look + u"main.xml", text) || !document.SetDocument(text)) return Fail(failed);
        TLString skin_folder;
        if (document.FindElement(u"/QVMS")) skin_folder = u"Skins\\Standard View\\";
        else if (document.FindElement(u"/QVFS")) skin_folder = u"Skins\\Lounge View\\";
        else return Fail(failed);
        TLString name = document.GetAttribute(u"name");
        if (name.empty()) name = description.name;
        std::vector<TLString> names;
        // The skin's name becomes one folder, never a path.
        if (!tlpath::SplitRelativePath(name, names) || names.size() != 1) return Fail(failed);
        const TLString destination = TLString::Format(u"%s%s\\", target_.product_folder + skin_folder, names[0]);
        NoteMissingFolders(notes_, target_.product_folder + skin_folder);
        TLStringArray written;
        if (!UnzipArchive(file, destination, {.keep_folders = keep_folders_}, notes_, written)) return Fail(failed);
    }
    return true;
}

bool CPackageActions::RunFileAction(const FileAction& action, const FileEntry& entry, TLString& path) {
    const std::optional<FileCommand> command = FindFileCommand(action.command);
    if (!command) return true;
    const TLString& param = action.param;
    switch (command->kind) {
        case FileCommandKind::kCopyToProductFolder: return Copy(path, target_.product_folder + command->subfolder);
        case FileCommandKind::kCopyToSystemFolder: return Copy(path, WindowsFolder(true));
        case FileCommandKind::kCopyToWindowsFolder: return Copy(path, WindowsFolder(false));
        case FileCommandKind::kMoveFolder: return MoveFolder(path, param);
        case FileCommandKind::kDelete:
        case FileCommandKind::kDeleteFolder: {
            const TLString inside = InsideProductFolder(param.empty() ? entry.file : param);
            if (inside.empty()) {
                tools::LogFormat(u"CPackageActions", u"Not deleted, outside the product's folder: %s", param);
                return true;
            }
            if (command->kind == FileCommandKind::kDelete) TLFileSystem::DeleteFile(inside);
            else if (TLFileSystem::FolderExists(inside)) TLFileSystem::DeleteDirectoryTree(inside);
            return true;
        }
        case FileCommandKind::kDeleteOriginal: TLFileSystem::DeleteFile(path); return true;
        case FileCommandKind::kRegister:
            if (!tlwin::RegisterInProcess(path))
                return Fail(TLString::Format(tools::Translate(u"Failed to register object.\r\n%s"), path));
            return true;
        case FileCommandKind::kExecute: return Execute(path, param);
        case FileCommandKind::kInstall: {
            const TLString parameters = TLString::Format(u"/Q /Install \"%s\"", path);
            int exit_code = -1;
            // A missing program is found out here: the shell would ask a person about it.
            const bool exists = TLFileSystem::FileExists(target_.package_installer);
            const bool ran =
                exists && tlwin::RunProgram(target_.package_installer, {parameters}, true, true, true, &exit_code, 0);
            const int error = ran ? exit_code : exists ? static_cast<int>(GetLastError()) : ERROR_FILE_NOT_FOUND;
            if (!ran || exit_code != 0)
                return Fail(TLString::Format(
                    tools::Translate(u"Failed to install using Package Installer.\r\nParameters: %s\r\nError: %d"),
                    parameters, error));
            return true;
        }
        // The library's exports tell its kind, whichever word named it. A refused plug-in has been
        // reported and leaves no record; the package goes on.
        case FileCommandKind::kRegisterPlayerPlugin:
        case FileCommandKind::kRegisterProductPlugin:
            CInstallWAPlugin(prompts_, notes_).Register(path, false);
            return true;
        case FileCommandKind::kRegistry: return WriteRegistryValue(param);
        case FileCommandKind::kCloseProduct:
            if (tltools::IRunningProduct* product = tools::Interface() ? tools::Interface()->GetRunningProduct(1) : nullptr)
                product->Close(kWaitForClosing);
            return true;
        case FileCommandKind::kStartProduct:
            tlwin::RunProgram(target_.main_program, {}, true, false, false, nullptr, 0);
            return true;
        case FileCommandKind::kRestartProduct: RestartProduct(); return true;
        case FileCommandKind::kUpdateServiceList:
            if (tltools::IProcessPosting* posting = tools::Interface() ? tools::Interface()->GetProcessPosting(1) : nullptr)
                posting->PostCommandLine(u"/ServiceUpdate");
            return true;
    }
    return true;
}

bool CPackageActions::Copy(TLString& path, const TLString& folder) {
    const TLString destination = folder + tlpath::NameOf(path);
    NoteMissingFolders(notes_, folder);
    TLFileSystem::MakeDirectoryTree(folder);
    NoteFile(notes_, destination);
    if (!tlwin::CopyFileTo(path, destination, true))
        return Fail(TLString::Format(tools::Translate(u"Destination file is in use.\r\n%s"), destination));
    path = destination;
    return true;
}

bool CPackageActions::MoveFolder(const TLString& path, const TLString& param) {
    const TLString destination = InsideProductFolder(param);
    const TLString failed = tools::Translate(u"Failed to move folder. Error: %d");
    if (destination.empty()) return Fail(TLString::Format(failed, static_cast<int>(ERROR_INVALID_NAME)));
    TLString source = path;
    NoteTree(notes_, source.EnsureTrailingBackslash(), destination + u"\\");
    // A rename when the folder is new and on the same volume, otherwise its files are copied over.
    if (!TLFileSystem::FolderExists(destination) && tlwin::MoveFileTo(path, destination)) return true;
    if (!TLFileSystem::CopyDirectoryTree(path, destination))
        return Fail(TLString::Format(failed, static_cast<int>(GetLastError())));
    TLFileSystem::DeleteDirectoryTree(path);
    return true;
}

bool CPackageActions::Execute(const TLString& path, const TLString& param) {
    const bool dont_wait = param == u"DONTWAIT";
    TLStringArray parameters;
    if (!dont_wait && !param.empty()) parameters.Add(param);
    int exit_code = -1;
    // A missing program is found out here: the shell would ask a person about it.
    const bool exists = TLFileSystem::FileExists(path);
    if (exists && tlwin::RunProgram(path, parameters, true, !dont_wait, true, &exit_code, 0)) return true;
    const int error = exists ? static_cast<int>(GetLastError()) : ERROR_FILE_NOT_FOUND;
    if (parameters.IsEmpty())
        return Fail(TLString::Format(tools::Translate(u"Failed to start process.\r\n%s\r\nError: %d"), path, error));
    return Fail(
        TLString::Format(tools::Translate(u"Failed to start process.\r\n%s %s\r\nError: %d"), path, param, error));
}

bool CPackageActions::WriteRegistryValue(const TLString& param) {
    const std::optional<RegistryLine> line = ParseRegistryLine(param, target_.name_with_version, target_.product_folder);
    if (!line) {
        tools::LogFormat(u"CPackageActions", u"Registry line passed over: %s", param);
        return true;
    }
    const HKEY root = RootKey(line->root);
    // The other two roots are no place an uninstall could put back.
    if (root == HKEY_LOCAL_MACHINE || root == HKEY_CURRENT_USER || root == HKEY_CLASSES_ROOT)
        notes_.NoteRegistryValue(root, line->key, line->name);
    tools::Settings key = tools::OpenRegistryKey(root, line->key);
    if (!key.SetString(line->name, line->data))
        tools::LogFormat(u"CPackageActions", u"Registry value not written: %s", param);
    return true;
}

void CPackageActions::RestartProduct() {
    tltools::IRunningProduct* product = tools::Interface() ? tools::Interface()->GetRunningProduct(1) : nullptr;
    if (!product || !product->IsRunning()) return;
    tools::Prompt prompt;
    prompt.title = tools::Translate(u"Confirm Action");
    prompt.text =
        TLString::Format(tools::Translate(u"%s must be restarted to complete installation of the package.\r\n\r\n"),
                         target_.product_name) +
        tools::Translate(u"Do you want to restart it now?");
    prompt.buttons = tltools::IMessageService::kYesNo;
    prompt.safe_answer = tltools::IMessageService::kResultNo;
    if (prompts_.Ask(prompt) != tltools::IMessageService::kResultYes) return;
    if (product->Close(kWaitForClosing)) tlwin::RunProgram(target_.main_program, {}, true, false, false, nullptr, 0);
}

}  // namespace package
