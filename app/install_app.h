#pragma once
// CInstallApp: the installer's application object. All of the installer's work happens in its
// InitInstance, which always returns false so that the framework goes straight to ExitInstance.

#include <windows.h>

#include <memory>

#include "core/app/tl_app.h"
#include "core/session/run_outcome.h"
#include "core/tools/install_prompts.h"
#include "core/tools/log_file_copy.h"

class CInstallApp : public TLGraphicalApp {
public:
    // The single-instance mutex, held from construction to destruction, and the error code that
    // CreateMutexW reported, tested later in startup.
    struct SingleInstanceHolder {
        explicit SingleInstanceHolder(const char16_t* name);
        ~SingleInstanceHolder();
        SingleInstanceHolder(const SingleInstanceHolder&) = delete;
        SingleInstanceHolder& operator=(const SingleInstanceHolder&) = delete;

        HANDLE mutex;
        DWORD error;
    };

    ~CInstallApp() override;
    bool InitInstance() override;
    void ExitInstance() override;
    int Run() override;

    static constexpr char16_t kMutexName[] = u"Global\\Corvane Installer";

private:
    void TakeSingleInstanceMutex();
    bool AnotherInstanceRuns() const;

    std::unique_ptr<SingleInstanceHolder> single_instance_;
    // The log file named by "/Log=", the answers of a run nobody watches, and how the run ended.
    tools::LogFileCopy log_copy_;
    tools::SafeAnswerPrompts safe_answers_;
    RunOutcome outcome_;
};
