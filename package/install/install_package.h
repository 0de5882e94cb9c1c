#pragma once
// CInstallPackage: installs one package file (".qvp", ".qvs"): reads its description in either form,
// asks once before a package with file actions changes anything, fetches its component files (from
// the package's folder, or downloaded), runs its actions and cleans up after itself. A failure is
// shown with the package's information page and signalled to other processes through the shared
// memory "InstallPackageError".

#include <optional>

#include "core/string/tl_string.h"
#include "core/string/tl_string_array.h"
#include "core/tools/install_prompts.h"
#include "core/windows/change_notes.h"
#include "package/actions/package_target.h"
#include "package/description/package_description.h"

namespace package {

// The name of the shared-memory signal: 4 bytes, 0 while a package installs, 1 once one has failed.
inline constexpr char16_t kInstallPackageError[] = u"InstallPackageError";

// Fetches a file by its address (caption: what the download's progress shows); the loader of the
// installer or of the product behind it.
class IPackageDownloader {
public:
    virtual bool Download(const TLString& url, const TLString& file, const TLString& caption) = 0;

protected:
    ~IPackageDownloader() = default;
};

// Where a running install shows what it does; may be left out.
class IPackageProgress {
public:
    virtual void SetText(const TLString& text) = 0;

protected:
    ~IPackageProgress() = default;
};

class CInstallPackage {
public:
    // `downloader` may be null: a package that needs a download then fails.
    CInstallPackage(const PackageTarget& target, tools::IInstallPrompts& prompts, tlwin::IChangeNotes& notes,
                    IPackageDownloader* downloader = nullptr, IPackageProgress* progress = nullptr);

    // Reads the description of a package file or address.
    bool Load(const TLString& path);
    // The whole installation. False when it did not complete: declined, a file missing or not
    // downloaded, or an action failed (then shown as the package's failure).
    bool Install(const TLString& path);
    // Deletes downloaded and unpacked files unless the package asks to keep them ("DONT_CLEANUP").
    void Cleanup();

    const PackageDescription& Description() const { return description_; }

private:
    bool Confirm();
    bool FetchFiles(TLStringArray& local_files);
    bool Failed(const TLString& more_info);

    const PackageTarget& target_;
    tools::IInstallPrompts& prompts_;
    tlwin::IChangeNotes& notes_;
    IPackageDownloader* downloader_;
    IPackageProgress* progress_;
    TLString source_;          // the package file, or its address
    TLString package_folder_;  // where its component files lie
    TLString work_folder_;     // this package's downloads and unpacked files
    PackageDescription description_;
    TLStringArray temporary_;  // downloaded and unpacked files, for the clean-up
};

// Sets the shared-memory signal of a failed package.
void SignalPackageError();

}  // namespace package
