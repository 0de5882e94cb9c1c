#include "package/install/install_package.h"

#include <windows.h>

#include "core/path/path_parts.h"
#include "core/process/tl_shared_memory.h"
#include "core/tools/scoped_trace.h"
#include "core/tools/tools.h"
#include "core/windows/tl_file_system.h"
#include "core/xml/file_text.h"
#include "package/actions/package_actions.h"

namespace package {
namespace {

using tlwin::TLFileSystem;

bool IsAddress(const TLString& file) { return file.StartsWithNoCase(u"http://") || file.StartsWithNoCase(u"ftp://"); }

// The file name at the end of an address or path, without a query.
TLString FileNameOf(const TLString& path) {
    TLString name = path;
    const size_t query = name.Find(u'?');
    if (query != TLString::npos) name.Truncate(query);
    const size_t slash = name.view().find_last_of(u"/\\");
    return slash == std::u16string_view::npos ? name : name.Mid(slash + 1);
}

// The INI form through Windows' own reader; a sentinel default tells a missing key from an empty one.
ProfileValue IniFile(const TLString& path) {
    return [path](std::u16string_view section, std::u16string_view key) -> std::optional<TLString> {
        static constexpr wchar_t kMissing[] = L"\x01missing\x01";
        wchar_t value[513] = {};
        GetPrivateProfileStringW(TLString(section).wc(), TLString(key).wc(), kMissing, value, 513, path.wc());
        if (std::wstring_view(value) == kMissing) return std::nullopt;
        return TLString(value);
    };
}

}  // namespace

void SignalPackageError() {
    TLSharedMemory signal;
    if (signal.Open(kInstallPackageError, 4)) signal.data()[0] = 1;
}

CInstallPackage::CInstallPackage(const PackageTarget& target, tools::IInstallPrompts& prompts, tlwin::IChangeNotes& notes,
                                 IPackageDownloader* downloader, IPackageProgress* progress)
    : target_(target), prompts_(prompts), notes_(notes), downloader_(downloader), progress_(progress) {}

bool CInstallPackage::Load(const TLString& path) {
    description_ = PackageDescription{};
    source_ = path;
    TLString file = path;
    work_folder_ = TLFileSystem::FreeName(target_.work_folder + FileNameOf(path) + u".files") + u"\\";
    if (path.StartsWithNoCase(u"http://")) {
        file = work_folder_ + FileNameOf(path);
        TLFileSystem::MakeDirectoryTree(file, true);
        temporary_.Add(file);
        if (!downloader_ || !downloader_->Download(path, file, tools::Translate(u"Install Package"))) return false;
    }
    package_folder_ = tlpath::FolderOf(file);

    TLString text;
    if (!tlxml::ReadTextFile(file, text)) return false;
    TLXMLDocument document(TLXMLDocument::kIgnoreCase);
    if (document.SetDocument(text)) return ReadXmlPackage(document, description_);
    ReadIniPackage(IniFile(file), description_);
    return true;
}

bool CInstallPackage::Confirm() {
    if (!description_.has_file_actions) return true;
    tools::Prompt prompt;
    prompt.title = tools::Translate(u"Confirm Action");
    prompt.text = description_.name + tools::Translate(u" is about to install a component.  Do you wish to continue?");
    prompt.buttons = tltools::IMessageService::kYesNo;
    // Nobody there to answer: the package was chosen by whoever started the run.
    prompt.safe_answer = tltools::IMessageService::kResultYes;
    return prompts_.Ask(prompt) == tltools::IMessageService::kResultYes;
}

bool CInstallPackage::FetchFiles(TLStringArray& local_files) {
    for (const FileEntry& entry : description_.entries) {
        if (!IsAddress(entry.file)) {
            local_files.Add(package_folder_ + entry.file);
            continue;
        }
        const TLString file = work_folder_ + FileNameOf(entry.file);
        TLFileSystem::MakeDirectoryTree(file, true);
        temporary_.Add(file);
        if (!downloader_ || !downloader_->Download(entry.file, file, tools::Translate(u"Install Package")))
            return Failed(TLString::Format(tools::Translate(u"Failed to download file '%s'."), entry.file));
        local_files.Add(file);
    }
    return true;
}

bool CInstallPackage::Failed(const TLString& more_info) {
    SignalPackageError();
    tools::Prompt prompt;
    prompt.title = tools::Translate(u"Information");
    prompt.text = TLString::Format(tools::Translate(u"Failed to install package.\r\n\r\nMore Info: %s\r\nURL: %s"),
                                   more_info, description_.url);
    prompts_.Ask(prompt);
    return false;
}

bool CInstallPackage::Install(const TLString& path) {
    TLScopedTrace trace(u"CInstallPackage::Install");
    if (!Load(path)) return Failed(TLString::Format(tools::Translate(u"Cannot read the package '%s'."), path));
    if (!Confirm()) return false;
    if (progress_) progress_->SetText(tools::Translate(u"Working..."));

    TLStringArray local_files;
    if (!FetchFiles(local_files)) return false;
    CPackageActions actions(target_, prompts_, notes_);
    const bool done = actions.Run(description_, local_files, work_folder_ + u"Unpacked\\");
    for (const TLString& file : actions.UnpackedFiles()) temporary_.Add(file);
    temporary_.Add(work_folder_);
    if (!done) return Failed(actions.FailureText());
    trace.SetResult(1);
    return true;
}

void CInstallPackage::Cleanup() {
    if (description_.HasPackageAction(u"DONT_CLEANUP")) return;
    // Files first, then the folders they were in, the package's own folder last.
    for (const TLString& path : temporary_)
        if (TLFileSystem::FileExists(path)) TLFileSystem::DeleteFile(path);
    for (const TLString& path : temporary_)
        if (TLFileSystem::FolderExists(path)) TLFileSystem::DeleteDirectoryTree(path);
    temporary_.Clear();
}

}  // namespace package
