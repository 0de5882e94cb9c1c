#include "wizard/rules/destination_rules.h"

#include "core/tools/tools.h"

namespace wizard_rules {
namespace {

struct MessageEntry {
    DestinationProblem problem;
    int product_item;
    const char16_t* title;
    const char16_t* parts[3];
};

constexpr char16_t kInvalidFolderTitle[] = u"Invalid Destination Folder";
constexpr char16_t kEnterNewFolder[] = u"Please enter a new destination folder.";

constexpr MessageEntry kMessages[] = {
    {DestinationProblem::kEmpty,
     0,
     kInvalidFolderTitle,
     {u"%s can not be installed to an empty folder.\r\n\r\n", kEnterNewFolder}},
    {DestinationProblem::kRelative,
     0,
     kInvalidFolderTitle,
     {u"%s can not be installed to a folder that does not name its drive.\r\n\r\n", kEnterNewFolder}},
    {DestinationProblem::kDriveRoot,
     0,
     kInvalidFolderTitle,
     {u"%s can not be installed to the root of a drive.\r\n\r\n", kEnterNewFolder}},
    {DestinationProblem::kWindowsFolder,
     0,
     kInvalidFolderTitle,
     {u"%s can not be installed in the Windows folder.\r\n\r\n", kEnterNewFolder}},
    {DestinationProblem::kShellFolder,
     0,
     kInvalidFolderTitle,
     {u"%s can not be installed to a folder that Windows keeps for users or for all programs.\r\n\r\n",
      kEnterNewFolder}},
    {DestinationProblem::kPreexistingProgram,
     0,
     kInvalidFolderTitle,
     {u"%s can not be installed where a pre-existing program is installed.\r\n\r\n", kEnterNewFolder}},
    {DestinationProblem::kTooLong,
     0,
     kInvalidFolderTitle,
     {u"%s can not be installed to a folder with a path this long.\r\n\r\n", kEnterNewFolder}},
    {DestinationProblem::kNotCreated, 2, u"Error", {u"Failed to create %s directory."}},
    {DestinationProblem::kLowDiskSpace,
     1,
     u"Insufficient Disk Space",
     {u"There is not enough free space on this drive to install %s.\r\n\r\n",
      u"%s installation requires at least 20 MB of free disk space.\r\n\r\n",
      u"Please select a different drive or free more space on the selected drive."}},
};

bool HasEnoughFreeSpace(int64_t free_bytes) { return free_bytes < 0 || (free_bytes >> 20) >= kRequiredFreeMiB; }

// The drive part of a path: "C:" or "\\server\share"; empty for a path without one.
TLString DriveRootOf(const TLString& path) {
    if (path.length() >= 2 && path[1] == u':') return path.Left(2);
    if (!path.StartsWith(u"\\\\")) return TLString();
    const size_t server_end = path.Find(u'\\', 2);
    if (server_end == TLString::npos) return path;
    const size_t share_end = path.Find(u'\\', server_end + 1);
    return share_end == TLString::npos ? path : path.Left(share_end);
}

bool IsSlash(char16_t c) { return c == u'\\' || c == u'/'; }

}  // namespace

bool IsRelativeFolder(const TLString& folder) {
    const bool drive = folder.length() >= 3 &&
                       ((folder[0] >= u'A' && folder[0] <= u'Z') || (folder[0] >= u'a' && folder[0] <= u'z')) &&
                       folder[1] == u':' && IsSlash(folder[2]);
    const bool server = folder.length() >= 3 && IsSlash(folder[0]) && IsSlash(folder[1]) && !IsSlash(folder[2]);
    return !drive && !server;
}

TLString WithOneTrailingBackslash(TLString folder) {
    folder.RemoveTrailingBackslashes();
    if (!folder.empty()) folder += u'\\';
    return folder;
}

TLString ProposeDestination(const InstallSession& session, const ProposalFacts& facts) {
    if (session.PortableMode) return TLString();
    if (session.ExistingInstallationFound && !facts.existing_installation_folder.empty())
        return WithOneTrailingBackslash(facts.existing_installation_folder);
    // A folder remembered from a 32-bit installation lies among the 32-bit programs, where this
    // product does not belong.
    if (!session.Is32BitInstallationFound && !facts.remembered_folder.empty() &&
        facts.remembered_folder.Find(u"(x86)") == TLString::npos)
        return WithOneTrailingBackslash(facts.remembered_folder);
    if (!facts.configured_folder.empty()) return WithOneTrailingBackslash(facts.configured_folder);

    TLString program_files = facts.program_files_folder.empty() ? TLString(u"C:\\Program Files\\")
                                                                : WithOneTrailingBackslash(facts.program_files_folder);
    return WithOneTrailingBackslash(program_files + u"C Orvane\\" + facts.product_folder_name);
}

DestinationProblem CheckDestination(const TLString& folder, const DestinationFacts& facts) {
    if (folder.empty()) return DestinationProblem::kEmpty;
    if (IsRelativeFolder(folder)) return DestinationProblem::kRelative;

    TLString rest = folder.Mid(DriveRootOf(folder).length());
    size_t leading = 0;
    while (leading < rest.length() && rest[leading] == u'\\') ++leading;
    if (leading == rest.length()) return DestinationProblem::kDriveRoot;

    if (!facts.windows_folder.empty() && folder.StartsWithNoCase(facts.windows_folder))
        return DestinationProblem::kWindowsFolder;
    // The shell's folders themselves; a folder of one's own inside them is fine.
    for (const TLString& shell_folder : facts.shell_folders)
        if (folder.EqualsNoCase(shell_folder)) return DestinationProblem::kShellFolder;
    for (const TLString& program_folder : facts.preexisting_program_folders)
        if (program_folder.StartsWithNoCase(folder)) return DestinationProblem::kPreexistingProgram;
    if (folder.length() > kMaxFolderLength) return DestinationProblem::kTooLong;

    if (!facts.make_folder(folder)) return DestinationProblem::kNotCreated;
    if (!HasEnoughFreeSpace(facts.free_space(folder))) return DestinationProblem::kLowDiskSpace;
    return DestinationProblem::kNone;
}

DestinationMessage MessageFor(DestinationProblem problem, const std::function<TLString(int)>& product_item) {
    for (const MessageEntry& entry : kMessages) {
        if (entry.problem != problem) continue;
        const TLString product = product_item(entry.product_item);
        DestinationMessage message{tools::Translate(entry.title), TLString()};
        for (const char16_t* part : entry.parts)
            if (part) message.text += TLString::Format(tools::Translate(part).view(), product);
        return message;
    }
    return {};
}

bool RefusalEndsRun(const InstallSession& session) {
    return session.Silent && (!session.DestinationSwitch.empty() || session.NoMessageBoxes);
}

}  // namespace wizard_rules
