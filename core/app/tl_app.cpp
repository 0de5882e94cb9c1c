#include "core/app/tl_app.h"

#include <ole2.h>

#include <clocale>

#include "core/process/tl_install_path.h"
#include "core/process/tl_process_info_block.h"
#include "core/string/tl_string_locale.h"
#include "core/tools/message_box.h"
#include "core/tools/module_loader.h"
#include "core/tools/tools.h"
#include "core/windows/module_path.h"

namespace {
TLApp* g_app = nullptr;
}  // namespace

TLApp::TLApp() { g_app = this; }

TLApp::~TLApp() {
    if (g_app == this) g_app = nullptr;
}

TLApp* TLApp::Instance() { return g_app; }

BOOL TLApp::LibraryEntry(HINSTANCE module, DWORD reason) {
    if (reason == DLL_PROCESS_ATTACH) {
        if (attach_count_++ == 0) {
            instance_ = module;
            // GetCommandLineW holds the program name too; a library sees the whole line.
            command_line_tokens_.Add(TLString(reinterpret_cast<const char16_t*>(GetCommandLineW())));
            if (!InitInstance()) ExitInstance();
        }
    } else if (reason == DLL_PROCESS_DETACH && attach_count_ > 0 && --attach_count_ == 0) {
        ExitInstance();
    }
    return TRUE;
}

int TLApp::WindowedEntry(HINSTANCE instance, HINSTANCE, int show_command) {
    instance_ = instance;
    show_command_ = show_command;
    if (InitInstance()) Run();
    ExitInstance();
    return exit_code_;
}

int TLApp::ConsoleEntry() { return WindowedEntry(GetModuleHandleW(nullptr), nullptr, SW_SHOWNORMAL); }

bool TLApp::InitInstance() { return true; }

void TLApp::ExitInstance() { UnregisterWindowClasses(); }

int TLApp::Run() { return exit_code_; }

bool TLApp::CanStart() { return true; }
bool TLApp::CanContinue() { return true; }

void TLApp::UnregisterWindowClasses() {
    for (const TLString& name : window_classes_) UnregisterClassW(name.wc(), instance_);
    window_classes_.clear();
}

TLExecutableApp::~TLExecutableApp() { ExitOle(); }

bool TLExecutableApp::InitInstance() {
    UseUserLocale();
    InstallCrashHandler();
    if (TLProcessInfoBlock* block = TLProcessInfoBlock::Get()) FinishProcessInfoBlock(*block);
    InitOle();
    return LoadProductInformation(TLString(), true);
}

void TLExecutableApp::ExitInstance() {
    UnloadProductModules();
    ExitOle();
    UnregisterWindowClasses();
}

void TLExecutableApp::UseUserLocale() {
    setlocale(LC_ALL, "");
    TLStringLibrary::InstallTables(TLStringLibrary::TablesForCurrentLocale());
}

void TLExecutableApp::UnloadProductModules() { tltools::TLModuleLoader::Get().UnloadAll(); }

void TLExecutableApp::InitOle() {
    if (ole_state_ == kOleInitialised) return;
    if (ole_state_ == kComInitialised) CoUninitialize();
    ole_state_ = kOleNone;
    if (SUCCEEDED(OleInitialize(nullptr))) ole_state_ = kOleInitialised;
}

void TLExecutableApp::ExitOle() {
    if (ole_state_ == kComInitialised) CoUninitialize();
    if (ole_state_ == kOleInitialised) OleUninitialize();
    ole_state_ = kOleNone;
}

// Crash reports are the product's business; the installer has none to set up.
void TLExecutableApp::InstallCrashHandler() {}

bool TLExecutableApp::LoadProductInformation(const TLString& path, bool show_errors) {
    tltools::ToolsInterface* tools = tools::Interface();
    if (tools && tools->GetProductInfo(0) && tools->GetProductInfo(0)->IsLoaded()) return true;

    tltools::TLModuleLoader& loader = tltools::TLModuleLoader::Get();
    loader.SetInstance(instance_);
    TLString error_text;
    if (!loader.Load(tltools::kToolsSlot)) {
        error_text = u"Failed to load TLTools";
    } else {
        tools = tools::Interface();
        tltools::IProductInfo* info = tools->GetProductInfo(0);
        if (info && info->Load(path, &error_text)) {
            tools->LoadingComplete();
            return true;
        }
        if (error_text.empty()) error_text = u"Unknown error loading product information";
    }
    load_error_ = error_text;
    if (show_errors) ShowCriticalError(error_text);
    return false;
}

void TLExecutableApp::ShowCriticalError(const TLString& error_text) const {
    // The library may be there with only the product information missing; then it translates.
    const TLString format = tools::Translate(
        u"The following module has failed to load:\r\n%s\r\n\r\nIt has reported the following error:\r\n\r\n%s"
        u"\r\n\r\nPlease reinstall the latest version of the program.");
    const TLString text = TLString::Format(format.view(), tlwin::ModulePath(instance_), error_text);
    const TLString title = tools::Translate(u"Critical Error");
    if (load_error_prompts_) {
        tools::Prompt prompt;
        prompt.title = title;
        prompt.text = text;
        load_error_prompts_->Ask(prompt);
        return;
    }
    tools::ShowWindowsMessage(title, text);
}
