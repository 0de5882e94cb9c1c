#include "product/uninstall/uninstall_app.h"

#include "core/process/tl_install_path.h"
#include "core/process/tl_process_info_block.h"
#include "core/tools/message_service_prompts.h"
#include "core/tools/module_loader.h"
#include "core/tools/product_key.h"
#include "core/tools/scoped_trace.h"
#include "core/tools/tools.h"
#include "core/windows/module_path.h"
#include "core/windows/registry.h"
#include "core/windows/tl_file_system.h"
#include "engine/journal/journal.h"
#include "product/uninstall/plugin_records_removal.h"
#include "product/uninstall/product_places.h"
#include "product/uninstall/uninstall_confirmation.h"
#include "product/uninstall/uninstall_executor.h"
#include "product/uninstall/uninstall_messages.h"

namespace uninstall {
namespace {

constexpr char16_t kFunction[] = u"Uninstall";
// How long the product is given to close by its own means.
constexpr uint32_t kCloseWaitMilliseconds = 5000;

bool HasSwitch(const TLStringArray& tokens, std::u16string_view name) {
    for (size_t i = 0; i < tokens.GetCount(); ++i)
        if (tokens[i].EqualsNoCase(name)) return true;
    return false;
}

tltools::IRunningProduct* RunningProduct() {
    tltools::ToolsInterface* tools = tools::Interface();
    return tools ? tools->GetRunningProduct(1) : nullptr;
}

// As the installer does before it replaces the product's files: ask, close it by its own means, and
// when it stays, ask the person to close it. False when it still runs.
bool CloseRunningProduct(tools::IInstallPrompts& prompts, const TLString& name) {
    tltools::IRunningProduct* running = RunningProduct();
    if (!running || !running->IsRunning()) return true;
    tools::LogFormat(kFunction, u"%s is running", name);
    if (prompts.Ask(ComposeUninstallMessage(UninstallMessage::kCloseRunning, name)) !=
        tltools::IMessageService::kResultYes) {
        tools::Log(kFunction, u"The person keeps it running: nothing removed");
        return false;
    }
    running->Close(kCloseWaitMilliseconds);
    if (!running->IsRunning()) return true;
    prompts.Ask(ComposeUninstallMessage(UninstallMessage::kPleaseClose, name));
    if (!running->IsRunning()) return true;
    prompts.Ask(ComposeUninstallMessage(UninstallMessage::kStillRunning, name));
    tools::Log(kFunction, u"It is still running: nothing removed", tltools::ILogger::kError);
    return false;
}

// The person's library and settings: the data folder and the product's settings key.
void RemoveUserData() {
    const TLProcessInfoBlock* block = TLProcessInfoBlock::Get();
    TLString data = block ? block->GetString(TLProcessInfoBlock::kAppDataFolder) : TLString();
    if (!data.empty() && tlwin::TLFileSystem::FolderExists(data) && !tlwin::TLFileSystem::DeleteDirectoryTree(data))
        tools::LogFormat(kFunction, u"The data folder could not be removed completely: %s", data);
    TLString key = tools::ProductSettingsKey();
    tlwin::DeleteKeyTree(HKEY_CURRENT_USER, key.RemoveTrailingBackslashes());
    tools::LogFormat(kFunction, u"The library and settings are removed: %s, HKCU\\%s", data, key);
}

// The files of this run that cannot go while it runs: its program and the product's modules it has
// loaded.
std::vector<TLString> RunningFiles(const TLString& program) {
    std::vector<TLString> files{program};
    tltools::TLModuleLoader& loader = tltools::TLModuleLoader::Get();
    for (size_t slot = tltools::kToolsSlot; slot < tltools::kModuleSlotCount; ++slot)
        if (HMODULE module = loader.Module(static_cast<tltools::ModuleSlot>(slot)))
            files.push_back(tlwin::ModulePath(module));
    return files;
}

}  // namespace

bool CUninstallApp::InitInstance() {
    UseUserLocale();
    // The product's folder is this program's: its tools library and product information are here.
    if (TLProcessInfoBlock* block = TLProcessInfoBlock::Get()) {
        FinishProcessInfoBlock(*block);
        block->SetString(TLProcessInfoBlock::kProgramFolder, tlwin::ModuleFolder());
    }
    InitOle();
    exit_code_ = kExitFailed;
    silent_ = HasSwitch(command_line_tokens_, u"/Silent");
    // Without the tools library there may still be an answer: a product removed already.
    tools_loaded_ = LoadProductInformation(TLString(), false);
    return true;
}

int CUninstallApp::Run() {
    TLScopedTrace trace(u"CUninstallApp::Run");
    exit_code_ = Uninstall();
    trace.SetResult(exit_code_);
    return exit_code_;
}

int CUninstallApp::Uninstall() {
    const bool silent = silent_;
    tools::SafeAnswerPrompts unattended;
    tools::MessageServicePrompts person;
    tools::IInstallPrompts& prompts = silent ? static_cast<tools::IInstallPrompts&>(unattended) : person;
    const TLString name = tools_loaded_ ? tools::ProductItem(1) : TLString(tools::kProductName);
    const TLString product = tools::ProductItem(3);
    const TLString destination = tlwin::ModuleFolder();
    running_program_ = tlwin::ModulePath();
    tools::LogFormat(kFunction, u"Removing %s from %s%s", name, destination, silent ? u" (silent)" : u"");

    const TLString record_path = destination + journal::kInstallRecordName;
    const std::optional<std::vector<journal::Entry>> record = journal::ReadRecord(record_path);
    if (!record) {
        tools::LogFormat(kFunction, u"No install record (%s): the product is removed already", record_path);
        prompts.Ask(ComposeUninstallMessage(UninstallMessage::kAlreadyRemoved, name));
        return kExitRemoved;
    }
    if (!tools_loaded_) {
        if (!silent) LoadProductInformation(TLString(), true);
        return kExitFailed;
    }

    bool remove_user_data = false;
    if (!silent && !ConfirmUninstall(name, &remove_user_data)) {
        tools::Log(kFunction, u"The person chose not to remove it");
        return kExitFailed;
    }
    if (!CloseRunningProduct(prompts, name)) return kExitFailed;

    // A later install of the product into another folder owns the registration now.
    const TLString registered = RegisteredFolder(product);
    const bool registration_ours = registered.empty() || registered.EqualsNoCase(destination);
    const TLString uninstall_key = registration_ours ? UninstallEntryKey(product) : TLString();
    std::vector<journal::Entry> entries = *record;
    // The product's settings are the person's: they go with the box, whole, or stay as they are.
    const TLString settings_key = tools::ProductSettingsKey();
    std::erase_if(entries, [&](const journal::Entry& entry) {
        return entry.root == u"HKCU" && (entry.path + u"\\").StartsWithNoCase(settings_key);
    });
    if (!registration_ours)
        std::erase_if(entries, [&](const journal::Entry& entry) { return IsRegistrationEntry(entry, product); });
    const std::vector<Step> steps = PlanUninstall(entries, FindProductPlaces(destination, product));
    std::vector<TLString> last = RunningFiles(running_program_);
    last.push_back(record_path);
    executor_ = std::make_unique<CUninstallExecutor>(std::move(last));
    executor_->Apply(steps);
    // The person's settings stay, but not the records of plug-ins that went with the product.
    if (!remove_user_data)
        RemoveRecordsOfGonePlugins([this](const TLString& library) { return executor_->IsGone(library); });
    executor_->RemoveFolderLast(TLString(destination).RemoveTrailingBackslashes());
    if (registration_ours)
        RemoveProductRegistration(product, uninstall_key);
    else
        tools::LogFormat(kFunction, u"The product is registered in %s now: its registration stays", registered);
    executor_->DeleteKeysLeftBehind();
    if (remove_user_data) RemoveUserData();

    const UninstallOutcome& outcome = executor_->outcome();
    tools::LogFormat(kFunction, u"Done: %d steps of the record, %d changes could not be undone, restart %s", static_cast<int>(steps.size()),
                     outcome.failures, outcome.restart_needed ? u"needed" : u"not needed");
    finished_ = true;
    if (outcome.failures) {
        prompts.Ask(ComposeUninstallMessage(UninstallMessage::kIncomplete, name));
        return kExitFailed;
    }
    prompts.Ask(ComposeUninstallMessage(
        outcome.restart_needed ? UninstallMessage::kRemovedAtRestart : UninstallMessage::kRemoved, name));
    return outcome.restart_needed ? kExitRestartNeeded : kExitRemoved;
}

void CUninstallApp::ExitInstance() {
    TLGraphicalApp::ExitInstance();
    // With the log closed and the modules unloaded, this run's own files can go too; the record stays
    // when something could not be undone, so that another run can try again.
    if (!finished_ || !executor_) return;
    if (executor_->outcome().failures == 0) executor_->FinishLast(running_program_);
    if (exit_code_ == kExitRemoved && executor_->outcome().restart_needed) exit_code_ = kExitRestartNeeded;
    if (executor_->outcome().failures) exit_code_ = kExitFailed;
    executor_.reset();
}

}  // namespace uninstall
