#pragma once
// The application object of a product program: one static object per process, reached through
// TLApp::Instance(). The framework calls its operations in a fixed order: the entry runs
// InitInstance, Run only when InitInstance succeeded, and always ExitInstance.

#include <windows.h>

#include <set>

#include "core/string/tl_string.h"
#include "core/string/tl_string_array.h"
#include "core/tools/install_prompts.h"

class TLApp {
public:
    TLApp();
    virtual ~TLApp();
    TLApp(const TLApp&) = delete;
    TLApp& operator=(const TLApp&) = delete;

    // The process's application object; null before it is constructed.
    static TLApp* Instance();

    // Entry of a library: reason 1 attaches (the first attach runs InitInstance, and ExitInstance
    // when that fails), reason 0 detaches (the last detach runs ExitInstance).
    virtual BOOL LibraryEntry(HINSTANCE module, DWORD reason);
    // Entry of a windowed program; returns the exit code.
    virtual int WindowedEntry(HINSTANCE instance, HINSTANCE previous, int show_command);
    // Entry of a console program, with the process's own module handle.
    virtual int ConsoleEntry();
    virtual bool InitInstance();
    virtual void ExitInstance();
    virtual int Run();
    // Hooks a derived program may use to refuse a run; both hold by default.
    virtual bool CanStart();
    virtual bool CanContinue();

    HINSTANCE instance() const { return instance_; }
    int show_command() const { return show_command_; }
    int exit_code() const { return exit_code_; }
    TLStringArray& command_line_tokens() { return command_line_tokens_; }
    // Window classes registered under the application's instance; unregistered at exit.
    void AddWindowClass(const TLString& name) { window_classes_.insert(name); }

protected:
    void UnregisterWindowClasses();

    HINSTANCE instance_ = nullptr;
    int show_command_ = SW_SHOWNORMAL;
    int exit_code_ = 0;
    TLStringArray command_line_tokens_;

private:
    std::set<TLString> window_classes_;
    long attach_count_ = 0;
};

// A program that uses the product's modules: string locale, process information block, OLE and the
// product information come up in its InitInstance.
class TLExecutableApp : public TLApp {
public:
    enum OleState : int { kOleNone = 0, kComInitialised = 1, kOleInitialised = 2 };

    ~TLExecutableApp() override;
    bool InitInstance() override;
    void ExitInstance() override;

    // Loads the tools library and the product information; on failure with `show_errors` set, shows
    // the "Critical Error" box.
    virtual bool LoadProductInformation(const TLString& path, bool show_errors);
    virtual void InitOle();
    virtual void ExitOle();
    virtual void InstallCrashHandler();

    OleState ole_state() const { return ole_state_; }
    // What the last failed LoadProductInformation reported.
    const TLString& load_error() const { return load_error_; }
    // Errors of loading go to these prompts instead of the "Critical Error" box (a run nobody
    // watches); null shows the box.
    void AnswerLoadErrorsWith(tools::IInstallPrompts* prompts) { load_error_prompts_ = prompts; }

protected:
    // Rebuilds the string library's case and class tables from the user's locale.
    static void UseUserLocale();
    static void UnloadProductModules();
    void ShowCriticalError(const TLString& error_text) const;

private:
    OleState ole_state_ = kOleNone;
    TLString load_error_;
    tools::IInstallPrompts* load_error_prompts_ = nullptr;
};

// A program with windows; everything it needs so far comes from TLExecutableApp.
class TLGraphicalApp : public TLExecutableApp {};
