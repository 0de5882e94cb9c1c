#include "engine/copy/copy_plan.h"

#include "engine/copy/file_kinds.h"

namespace engine {
namespace {

PhaseAction Status(const char16_t* text, bool reset = false) {
    PhaseAction action;
    action.text = text;
    action.reset = reset;
    return action;
}

PhaseAction Error(const char16_t* text) {
    PhaseAction action;
    action.kind = PhaseActionKind::kShowError;
    action.text = text;
    return action;
}

PhaseAction CopyFolderAction(TLString source, TLString destination, CopyMode mode, bool collect = false) {
    PhaseAction action;
    action.kind = PhaseActionKind::kCopyFolder;
    action.source = std::move(source);
    action.destination = std::move(destination);
    action.mode = mode;
    action.collect = collect;
    return action;
}

PhaseAction CopyFileAction(TLString source, TLString destination) {
    PhaseAction action;
    action.kind = PhaseActionKind::kCopyFile;
    action.source = std::move(source);
    action.destination = std::move(destination);
    return action;
}

PhaseAction PathAction(PhaseActionKind kind, TLString path) {
    PhaseAction action;
    action.kind = kind;
    action.path = std::move(path);
    return action;
}

void PlanSystemFiles(const ProgramFilesFacts& facts, std::vector<PhaseAction>& plan) {
    for (const TLString& system_folder : {facts.system_folder, facts.system_wow64_folder}) {
        if (system_folder.empty()) {
            plan.push_back(
                Error(u"The install wizard can not obtain the Windows system path. System files will not "
                      u"be installed."));
            continue;
        }
        plan.push_back(
            CopyFolderAction(facts.source_folder + u"System\\Check Version\\", system_folder, CopyMode::kCheckVersion));
        plan.push_back(CopyFolderAction(facts.source_folder + u"System\\Always Overwrite\\", system_folder,
                                        CopyMode::kAlwaysOverwrite));
        if (facts.windows_folder.empty()) {
            plan.push_back(
                Error(u"The install wizard can not obtain the system font path. Custom fonts will not be installed."));
            continue;
        }
        // Fonts are copied and announced once per system folder.
        plan.push_back(
            CopyFolderAction(facts.source_folder + u"Fonts\\", facts.windows_folder + u"Fonts\\", CopyMode::kFont));
    }
}

}  // namespace

FileAction PlanFileCopy(const TLString& source, const TLString& destination, CopyMode mode, bool collecting,
                        const FileFacts& facts) {
    FileAction action;
    action.source = source;
    action.destination = destination;
    action.mode = mode;
    action.size = facts.size;
    action.special_attributes = facts.special_attributes;
    action.destination_new = facts.destination_new;
    action.stop_server_first = IsMediaServerProgram(destination);
    if (facts.core_library) {
        action.kind = FileActionKind::kNone;
        return action;
    }
    action.kind = ShouldCopy(mode, source, facts.versions) ? FileActionKind::kCopy : FileActionKind::kKeep;
    if (action.kind == FileActionKind::kKeep) action.stop_server_first = false;
    // A kept COM server is registered as a copied one is.
    action.registration = RouteRegistration(source, false, collecting);
    return action;
}

std::vector<FileAction> PlanFolderCopy(const TLString& source, const TLString& destination, CopyMode mode,
                                       bool collecting, const std::vector<FileFacts>& files) {
    std::vector<FileAction> plan;
    plan.reserve(files.size());
    for (const FileFacts& file : files)
        plan.push_back(PlanFileCopy(source + file.relative, destination + file.relative, mode, collecting, file));
    return plan;
}

std::vector<PhaseAction> PlanProgramFiles(const ProgramFilesFacts& facts) {
    std::vector<PhaseAction> plan;
    const TLString& folder = facts.install_folder;
    plan.push_back(Status(u"Installing system files..."));
    if (!facts.portable) PlanSystemFiles(facts, plan);

    if (facts.media_server_edition) {
        if (facts.main_program_installed)
            plan.push_back(PathAction(PhaseActionKind::kStopProgram, folder + facts.main_program));
        if (facts.holds_product) plan.push_back(PathAction(PhaseActionKind::kDeleteTree, folder + u"Server\\"));
    }
    if (facts.holds_product)
        plan.push_back(PathAction(PhaseActionKind::kDeleteTree, folder + u"Data\\Panel\\Root\\Default\\static"));

    PhaseAction program_files = Status(u"Installing %s program files...", true);
    program_files.source = facts.product_name;
    plan.push_back(program_files);
    plan.push_back(CopyFolderAction(facts.source_folder + u"Tunevault\\", folder, CopyMode::kAlwaysOverwrite, true));
    if (!facts.launcher_to_place.empty())
        plan.push_back(CopyFileAction(facts.launcher_to_place, folder + facts.launcher_name));

    if (facts.holds_product) {
        if (facts.chinese_after_copy && facts.chinese_simplified_after_copy)
            plan.push_back(PathAction(PhaseActionKind::kDeleteTree, folder + u"Data\\Languages\\Chinese\\"));
        for (const char16_t* tree : {u"Drivers\\32\\", u"Drivers\\64\\"})
            plan.push_back(PathAction(PhaseActionKind::kDeleteTree, folder + tree));
        for (const char16_t* file : {u"Drivers\\CorvaneWDMDriver.cat", u"Drivers\\CorvaneWDMDriver.inf"})
            plan.push_back(PathAction(PhaseActionKind::kDeleteFile, folder + file));
    }

    plan.push_back(CopyFileAction(facts.source_folder + u"License.txt", folder + u"License.txt"));
    return plan;
}

}  // namespace engine
