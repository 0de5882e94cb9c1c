#pragma once
// A tools library that offers no service at all: every service is absent. Tests derive from it to
// offer only the services they need.

#include "core/tools/tools_interface.h"

namespace tltest {

class ServicelessTools : public tltools::ToolsInterface {
public:
    void Initialize(void*) override {}
    tltools::IStringService* GetStringService(int) override { return nullptr; }
    tltools::IProcessPosting* GetProcessPosting(int) override { return nullptr; }
    tltools::ITranslator* GetTranslator(int) override { return nullptr; }
    tltools::ISkinService* GetSkinService(int) override { return nullptr; }
    tltools::IProductInfo* GetProductInfo(int) override { return nullptr; }
    tltools::ILogger* GetLogger(int) override { return nullptr; }
    tltools::IMessageService* GetMessageService(int) override { return nullptr; }
    tltools::IMessageDispatcher* GetMessageDispatcher(int) override { return nullptr; }
    tltools::ISettings* OpenSettingsSection(const TLString&) override { return nullptr; }
    tltools::ISettings* OpenRegistryKey(void*, const TLString&) override { return nullptr; }
    tltools::ISettingsImport* GetSettingsImport(int) override { return nullptr; }
    tltools::IRunningProduct* GetRunningProduct(int) override { return nullptr; }
    void LoadingComplete() override {}
    void PathsChanged() override {}
    TLString GetLogFilePath() override { return TLString(); }
    bool MoveSettingsSection(const TLString&, const TLString&) override { return false; }

protected:
    ~ServicelessTools() = default;
};

}  // namespace tltest
