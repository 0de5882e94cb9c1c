#pragma once
// InstallSession: the one record of what this run was asked to do and what the wizard chose.
// Startup fills the switches and the Install.xml settings; the wizard fills its own choices; the
// engine reads them all. It lives from static initialisation to process exit and is never copied.

#include "core/string/tl_string.h"
#include "core/string/tl_string_array.h"

struct InstallSession {
    // Switches of the command line.
    bool Silent = false;
    bool Upgrade = false;
    bool NoAssociations = false;
    bool NoDependencies = false;
    bool NoUpgrade = false;
    bool NoDriver = false;
    bool NoRun = false;
    TLString DistributorId;
    // Switches for unattended runs: the log also goes to LogFile; the exit code tells the run's
    // outcome; nobody is there to answer a message box; the destination comes from the command line.
    TLString LogFile;
    bool ResultCode = false;
    bool NoMessageBoxes = false;
    TLString DestinationSwitch;

    // Settings of Install.xml and the distribution folder.
    bool AllowDowngrade = true;
    TLStringArray SupportFolders;  // each ends in a backslash
    TLString LibraryFolder;
    TLString BundledMediaFolder;

    // Choices the wizard makes.
    TLString UninstallKeyName;
    bool ExpressMode = false;
    bool PortableMode = false;
    bool ExistingInstallationFound = false;
    bool Is32BitInstallationFound = false;
    bool AutoInstall = false;
    // Folders of the product family's other installed programs, each with one trailing backslash;
    // nothing may be installed in one of them or above it.
    TLStringArray PreexistingProgramFolders;

    // Empty when no folder is chosen; otherwise it ends in exactly one backslash.
    const TLString& DestinationFolder() const { return destination_folder_; }
    void SetDestinationFolder(const TLString& folder);

    // The process's own record.
    static InstallSession& Get();

    InstallSession() = default;
    InstallSession(const InstallSession&) = delete;
    InstallSession& operator=(const InstallSession&) = delete;

private:
    TLString destination_folder_;
};
