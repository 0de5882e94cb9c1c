#include "app/install_app.h"

#include "app/command_line.h"
#include "app/install_configuration.h"
#include "app/startup_steps.h"
#include "app/system_checks/run_system_checks.h"
#include "core/process/tl_install_path.h"
#include "core/process/tl_process_info_block.h"
#include "core/session/install_session.h"
#include "core/tools/message_service_prompts.h"
#include "core/tools/scoped_trace.h"
#include "core/tools/tools.h"
#include "core/windows/module_path.h"

CInstallApp::SingleInstanceHolder::SingleInstanceHolder(const char16_t* name)
    : mutex(CreateMutexW(nullptr, FALSE, reinterpret_cast<const wchar_t*>(name))), error(GetLastError()) {}

CInstallApp::SingleInstanceHolder::~SingleInstanceHolder() {
    if (mutex) CloseHandle(mutex);
}

CInstallApp::~CInstallApp() {
    tools::SetLogCopy(nullptr);
    single_instance_.reset();
}

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

    // The switches are read before the tools library loads, so that a run whose library or product
    // information fails still logs where it was asked to and shows no box when nobody answers.
    // Install.xml sets none of the fields the switches set.
    InstallSession& session = InstallSession::Get();
    CommandLine::ParseSwitches(CommandLine::Normalise(command_line_tokens_).view(), session);
    DWORD log_copy_error = ERROR_SUCCESS;
    const bool log_copy_open = !session.LogFile.empty() && log_copy_.Open(session.LogFile, log_copy_error);
    if (log_copy_open) tools::SetLogCopy(&log_copy_);
    if (session.NoMessageBoxes) AnswerLoadErrorsWith(&safe_answers_);

    TLProcessInfoBlock* block = TLProcessInfoBlock::Get();
    const TLString folder = tlwin::ModuleFolder();
    if (block) {
        FinishProcessInfoBlock(*block);
        block->SetByte(TLProcessInfoBlock::kInstallerByte, 1);
        const TLString program_folder = folder + u"Tunevault\\";
        block->SetString(TLProcessInfoBlock::kProgramFolder, program_folder);
        block->SetString(TLProcessInfoBlock::kDataFolder, program_folder);
    }

    if (!LoadProductInformation(TLString(), true)) {
        outcome_.Fail(u"the product's tools library or its product information could not be loaded: " + load_error());
        return false;
    }
    if (tltools::ToolsInterface* tools = tools::Interface(); tools && log_copy_open)
        log_copy_.CopyEarlierLines(tools->GetLogFilePath());
    if (!session.LogFile.empty() && !log_copy_open)
        tools::LogFormat(u"CInstallApp::InitInstance",
                         u"The log file \"%s\" named on the command line cannot be written (error %d); this log "
                         u"is the only one",
                         session.LogFile, static_cast<int>(log_copy_error));
    startup::LogSetupVersion();

    if (block) DiscoverInstallPath(*block, tools::ProductItem(3), false, true);

    LoadInstallConfiguration(folder, session);
    tools::Log(u"CInstallApp::InitInstance", CommandLine::DescribeSwitches(session));

    startup::ChooseSkin(folder);

    tools::MessageServicePrompts boxes;
    tools::IInstallPrompts& prompts =
        session.NoMessageBoxes ? static_cast<tools::IInstallPrompts&>(safe_answers_) : boxes;
    if (AnotherInstanceRuns()) {
        prompts.Ask(tools::TranslatedPrompt(u"Corvane Installer",
                                            {u"Another instance of the Corvane installer is already running on this "
                                             u"system.\r\n\r\n",
                                             u"Please finish any other Corvane installations and try again."}));
        tools::LogFormat(u"CInstallApp::InitInstance", u"Another installer is running (error %d); leaving",
                         static_cast<int>(single_instance_->error));
        outcome_.Fail(u"another installer is running");
        return false;
    }

    if (startup::ChecksOverriddenByKeyboard()) {
        tools::Log(u"CInstallApp::InitInstance", u"Ctrl+Shift+F held down: the system checks are skipped");
    } else if (!syschecks::RunSystemChecks(prompts, session.NoMessageBoxes)) {
        outcome_.Fail(u"the system checks ended the run (the message above says why)");
        return false;
    }

    startup::PlaceLauncher(folder, tools::LauncherFileName());
    outcome_ = startup::RunWizard(session, folder);
    return false;
}

void CInstallApp::ExitInstance() {
    // The last line of the log, while the tools library is still there to write it.
    const InstallSession& session = InstallSession::Get();
    tools::Log(u"CInstallApp::ExitInstance", DescribeOutcome(outcome_, session.ResultCode),
               outcome_.Ended() ? tltools::ILogger::kError : tltools::ILogger::kInfo);
    if (session.ResultCode) exit_code_ = ResultCodeOf(outcome_.end);
    tools::SetLogCopy(nullptr);
    UnloadProductModules();
    TLExecutableApp::ExitInstance();
}

int CInstallApp::Run() {
    tltools::ToolsInterface* tools = tools::Interface();
    tltools::IMessageDispatcher* dispatcher = tools ? tools->GetMessageDispatcher(1) : nullptr;
    return dispatcher ? dispatcher->RunMessageLoop() : exit_code_;
}
