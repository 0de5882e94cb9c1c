#pragma once
// The vocabulary of a package's file actions: each command word with what it does and where.

#include <optional>
#include <string_view>

namespace package {

enum class FileCommandKind {
    kCopyToProductFolder,  // into the product's subfolder of the table
    kCopyToSystemFolder,
    kCopyToWindowsFolder,
    kMoveFolder,           // "COPY_DIRECTORY"
    kDelete,
    kDeleteOriginal,
    kDeleteFolder,
    kRegister,
    kExecute,
    kInstall,
    kRegisterPlayerPlugin,  // "REG_WA_IN", "REG_WA_DSP", "REG_WA_VIS", "REG_WA_PLUGIN"
    kRegisterProductPlugin,
    kRegistry,
    kCloseProduct,
    kStartProduct,
    kRestartProduct,
    kUpdateServiceList,
};

struct FileCommand {
    std::u16string_view word;
    FileCommandKind kind;
    std::u16string_view subfolder;  // of the product folder, for kCopyToProductFolder
};

// The command of a word (exact, upper case); nothing for a word not in the table.
std::optional<FileCommand> FindFileCommand(std::u16string_view word);

}  // namespace package
