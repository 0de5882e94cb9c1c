#include "app/install_app.h"

#include "app/command_line.h"
#include "app/install_configuration.h"
#include "app/startup_steps.h"
#include "app/system_checks/run_system_checks.h"
#include "core/process/tl_install_path.h"
#include "core/process/tl_process_info_block.h"
#include "core/session/install_session.h"
#include "core/tools/message_box.h"
#include "core/tools/scoped_trace.h"
#include "core/tools/tools.h"
#include "core/windows/module_path.h"

CInstallApp::SingleInstanceHolder::SingleInstanceHolder(const char16_t* name)
    : mutex(CreateMutexW(nullptr, FALSE, reinterpret_cast<const wchar_t*>(name))), error(GetLastError()) {}

CInstallApp::SingleInstanceHolder::~SingleInstanceHolder() {
    if (mutex) CloseHandle(mutex);
}

CInstallApp::~CInstallApp() { single_instance_.reset(); }

void CInstallApp::TakeSingleInstanceMutex() { single_instance_ = std::make_unique<SingleInstanceHolder>(kMutexName); }

bool CInstallApp::AnotherInstanceRuns() const {
    return single_instance_ &&
           (single_instance_->error == ERROR_ALREADY_EXISTS || single_instance_->error == ERROR_ACCESS_DENIED);
}

bool CInstallApp::InitInstance() {
    // "Start" reaches no log, as the tools library comes later; "Finish" does.
    TLScopedTrace trace(u"CInstallApp::InitInstance");
    InitOle();
    UseUserLocale();
    TakeSingleInstanceMutex();
    const startup::VirtualStoreKeys virtual_store = startup::ClearVirtualStore();

    TLProcessInfoBlock* block = TLProcessInfoBlock::Get();
    const TLString folder = tlwin::ModuleFolder();
    if (block) {
        FinishProcessInfoBlock(*block);
        block->SetByte(TLProcessInfoBlock::kInstallerByte, 1);
        const TLString program_folder = folder + u"Tunevault\\";
        block->SetString(TLProcessInfoBlock::kProgramFolder, program_folder);
        block->SetString(TLProcessInfoBlock::kDataFolder, program_folder);
    }

    if (!LoadProductInformation(TLString(), true)) return false;
    startup::LogSetupVersion();

    if (block) DiscoverInstallPath(*block, tools::ProductItem(3), false, true);

    InstallSession& session = InstallSession::Get();
    LoadInstallConfiguration(folder, session);
    CommandLine::ParseSwitches(CommandLine::Normalise(command_line_tokens_).view(), session);
    tools::Log(u"CInstallApp::InitInstance", CommandLine::DescribeSwitches(session));

    startup::ChooseSkin(folder);

    if (AnotherInstanceRuns()) {
        tools::ShowTranslatedMessage(nullptr, u"Corvane Installer",
                                     {u"Another instance of the Corvane installer is already running on this "
                                      u"system.\r\n\r\n",
                                      u"Please finish any other Corvane installations and try again."},
                                     tools::IMessageService::kOk);
        tools::LogFormat(u"CInstallApp::InitInstance", u"Another installer is running (error %d); leaving",
                         static_cast<int>(single_instance_->error));
        return false;
    }

    if (startup::ChecksOverriddenByKeyboard())
        tools::Log(u"CInstallApp::InitInstance", u"Ctrl+Shift+F held down: the system checks are skipped");
    else if (!syschecks::RunSystemChecks())
        return false;

    startup::PlaceLauncher(folder, tools::LauncherFileName());
    startup::RunWizard(session, folder);
    return false;
}

void CInstallApp::ExitInstance() {
    UnloadProductModules();
    TLExecutableApp::ExitInstance();
}

int CInstallApp::Run() {
    tltools::ToolsInterface* tools = tools::Interface();
    tltools::IMessageDispatcher* dispatcher = tools ? tools->GetMessageDispatcher(1) : nullptr;
    return dispatcher ? dispatcher->RunMessageLoop() : exit_code_;
}
