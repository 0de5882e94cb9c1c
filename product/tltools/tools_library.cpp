// The stand-in tools library: the product's services behind the ToolsInterface, and the exports
// through which a program gets them.
#include <windows.h>

#include <memory>

#include "core/tools/tools_interface.h"
#include "product/tltools/file_logger.h"
#include "product/tltools/message_dialog.h"
#include "product/tltools/process_folders.h"
#include "product/tltools/product_info.h"
#include "product/tltools/registry_settings.h"
#include "product/tltools/running_product.h"
#include "product/tltools/small_services.h"
#include "product/tltools/translator.h"

namespace tltools_dll {
namespace {

class CToolsLibrary final : public tltools::ToolsInterface {
public:
    CToolsLibrary() : messages_(translator_), skin_(logger_) { translator_.SetMessageService(&messages_); }

    void Initialize(void* instance) override {
        messages_.SetInstance(static_cast<HINSTANCE>(instance));
        logger_.Log(tltools::ILogger::kInfo, u"TLTools",
                    TLString::Format(u"Loaded; program folder \"%s\"", ProgramFolder()));
    }
    tltools::IStringService* GetStringService(int) override { return &strings_; }
    tltools::IProcessPosting* GetProcessPosting(int) override { return &running_; }
    tltools::ITranslator* GetTranslator(int) override { return &translator_; }
    tltools::ISkinService* GetSkinService(int) override { return &skin_; }
    tltools::IProductInfo* GetProductInfo(int) override { return &product_info_; }
    tltools::ILogger* GetLogger(int) override { return &logger_; }
    tltools::IMessageService* GetMessageService(int) override { return &messages_; }
    tltools::IMessageDispatcher* GetMessageDispatcher(int) override { return &dispatcher_; }
    tltools::ISettings* OpenSettingsSection(const TLString& section) override {
        return CRegistrySettings::OpenSection(section);
    }
    tltools::ISettings* OpenRegistryKey(void* root, const TLString& key_path) override {
        return CRegistrySettings::Open(static_cast<HKEY>(root), key_path);
    }
    tltools::ISettingsImport* GetSettingsImport(int) override { return &import_; }
    tltools::IRunningProduct* GetRunningProduct(int) override { return &running_; }
    void LoadingComplete() override {
        logger_.Log(tltools::ILogger::kInfo, u"TLTools",
                    TLString::Format(u"Product information loaded: %s %s; language %s", product_info_.GetItem(0),
                                     product_info_.GetVersionText(), translator_.CurrentLanguage()));
    }
    void PathsChanged() override {
        logger_.Log(
            tltools::ILogger::kInfo, u"TLTools",
            TLString::Format(u"Install folder \"%s\", program folder \"%s\"", InstallFolder(), ProgramFolder()));
    }
    TLString GetLogFilePath() override { return logger_.path(); }
    bool MoveSettingsSection(const TLString& from, const TLString& to) override {
        return CRegistrySettings::MoveSection(from, to);
    }

private:
    CFileLogger logger_;
    CTranslator translator_;
    CMessageDialog messages_;
    CSkinService skin_;
    CStringService strings_;
    CRunningProduct running_;
    CProductInfo product_info_;
    CMessageDispatcher dispatcher_;
    CSettingsImport import_;
};

std::unique_ptr<CToolsLibrary> g_library;

}  // namespace
}  // namespace tltools_dll

extern "C" {

__declspec(dllexport) tltools::IProductModule* GetTLToolsDLL(int version) {
    if (version != tltools::kInterfaceVersion) return nullptr;
    if (!tltools_dll::g_library) tltools_dll::g_library = std::make_unique<tltools_dll::CToolsLibrary>();
    return tltools_dll::g_library.get();
}

__declspec(dllexport) void UninitializeTLToolsDLL() { tltools_dll::g_library.reset(); }

}  // extern "C"
