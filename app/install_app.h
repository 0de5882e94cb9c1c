#pragma once
// CInstallApp: the installer's application object. All of the installer's work happens in its
// InitInstance, which always returns false so that the framework goes straight to ExitInstance.

#include <windows.h>

#include <memory>

#include "core/app/tl_app.h"

class CInstallApp : public TLGraphicalApp {
public:
    // What CreateMutexW left: the handle and the error code it reported, tested later in startup.
    struct SingleInstanceHolder {
        DWORD error = 0;
        HANDLE mutex = nullptr;
        ~SingleInstanceHolder();
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
};
