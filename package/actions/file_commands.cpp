#include "package/actions/file_commands.h"

#include <array>

namespace package {
namespace {

using K = FileCommandKind;
constexpr std::array<FileCommand, 25> kCommands = {{
    {u"COPY_PLUGINDIR", K::kCopyToProductFolder, u"Plugins\\"},
    {u"COPY_HELPDIR", K::kCopyToProductFolder, u"Help\\"},
    {u"COPY_VISUALIZATIONS", K::kCopyToProductFolder, u"Visualizations\\"},
    {u"COPY_TRACKINFOS", K::kCopyToProductFolder, u"Visualizations\\Track Info\\"},
    {u"COPY_VISSTUDIO", K::kCopyToProductFolder, u"Visualizations\\Vis Studio\\"},
    {u"COPY_VISSCRIPTS", K::kCopyToProductFolder, u"Visualizations\\Vis Studio\\"},
    {u"COPY_SYSDIR", K::kCopyToSystemFolder, u""},
    {u"COPY_WINDIR", K::kCopyToWindowsFolder, u""},
    {u"COPY_DIRECTORY", K::kMoveFolder, u""},
    {u"DELETE", K::kDelete, u""},
    {u"DELETE_ORIGINAL", K::kDeleteOriginal, u""},
    {u"DELETE_DIRECTORY", K::kDeleteFolder, u""},
    {u"REGISTER", K::kRegister, u""},
    {u"EXECUTE", K::kExecute, u""},
    {u"INSTALL", K::kInstall, u""},
    {u"REG_WA_IN", K::kRegisterPlayerPlugin, u""},
    {u"REG_WA_DSP", K::kRegisterPlayerPlugin, u""},
    {u"REG_WA_VIS", K::kRegisterPlayerPlugin, u""},
    {u"REG_WA_PLUGIN", K::kRegisterPlayerPlugin, u""},
    {u"REG_PLUGIN", K::kRegisterProductPlugin, u""},
    {u"REGISTRY", K::kRegistry, u""},
    {u"CLOSE_MC", K::kCloseProduct, u""},
    {u"START_MC", K::kStartProduct, u""},
    {u"RESTART_MC", K::kRestartProduct, u""},
    {u"UPDATE_SERVICELIST", K::kUpdateServiceList, u""},
}};

}  // namespace

std::optional<FileCommand> FindFileCommand(std::u16string_view word) {
    for (const FileCommand& command : kCommands)
        if (command.word == word) return command;
    return std::nullopt;
}

}  // namespace package
