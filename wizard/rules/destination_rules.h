#pragma once
// What the destination folder page decides: the folder it proposes and whether a folder can take
// the product, with the message each refusal shows. The machine's facts (folders, free space) come
// in as data or as the two acts the checks need, so that every rule runs without Windows.

#include <cstdint>
#include <functional>

#include "core/session/install_session.h"
#include "core/string/tl_string.h"
#include "core/string/tl_string_array.h"

namespace wizard_rules {

inline constexpr char16_t kInstallToLabel[] = u"Install to:";
// Remembered in the "Installer" settings by the installation that chose the folder.
inline constexpr char16_t kInstallDirectoryValue[] = u"Install Directory";
inline constexpr char16_t kInstallToPathKey[] = u"/*/Product/InstallToPath";

// Units the process information block keeps of a folder, its trailing backslash included; a longer
// folder would be cut there and name another folder.
inline constexpr size_t kMaxFolderLength = 260;

// The folder with exactly one trailing backslash; empty stays empty.
TLString WithOneTrailingBackslash(TLString folder);

// The candidates of the proposal, in the order they are tried.
struct ProposalFacts {
    TLString existing_installation_folder;  // where startup found this version installed
    TLString remembered_folder;             // "Install Directory" of the last installation
    TLString configured_folder;             // the product's "InstallToPath"
    TLString program_files_folder;          // empty when the machine does not say
    TLString product_folder_name;           // product-information item 3
};

// The folder to offer; empty in portable mode, where the user must choose.
TLString ProposeDestination(const InstallSession& session, const ProposalFacts& facts);

enum class DestinationProblem {
    kNone,
    kEmpty,
    kRelative,
    kDriveRoot,
    kWindowsFolder,
    kShellFolder,
    kPreexistingProgram,
    kTooLong,
    kNotCreated,
    kLowDiskSpace,
};

// True when the folder names neither a drive ("C:\") nor a server ("\\server\share"): Windows would
// join it to whatever the process's current folder is.
bool IsRelativeFolder(const TLString& folder);

// What the checks need of the machine. The folders are in the same canonical form as the
// destination, each with one trailing backslash.
struct DestinationFacts {
    TLString windows_folder;
    // The folders the shell keeps for people and for programs as a whole (a profile, Desktop,
    // Documents, Music, the application data folders, ProgramData, the Program Files folders):
    // installing into one of them spreads the product among the person's or every program's files.
    TLStringArray shell_folders;
    TLStringArray preexisting_program_folders;
    // Makes the whole folder tree; false when it cannot be made.
    std::function<bool(const TLString& folder)> make_folder;
    // Bytes free on the folder's drive; negative when nobody can tell.
    std::function<int64_t(const TLString& folder)> free_space;
};

// Below this many whole MiB free the folder is refused, although the message speaks of 20 MB: the
// threshold and the text users know are both kept as they have always been.
inline constexpr int64_t kRequiredFreeMiB = 30;

// The first check the folder (canonical, with one trailing backslash, or empty; a relative folder is
// refused before it is made canonical) fails. The folder is made on disk once the text checks have
// passed, and its drive's free space is asked afterwards.
DestinationProblem CheckDestination(const TLString& folder, const DestinationFacts& facts);

struct DestinationMessage {
    TLString title;
    TLString text;
};

// The message box of a refusal, translated before the product's name goes in; `product_item`
// gives the numbered product string (0 to 3) that each message names.
DestinationMessage MessageFor(DestinationProblem problem, const std::function<TLString(int)>& product_item);

// Whether a refused folder ends the run rather than showing the page: in a Silent run whose folder
// came from the command line ("/Dir="), or that nobody watches ("/NoMessageBoxes").
bool RefusalEndsRun(const InstallSession& session);

}  // namespace wizard_rules
