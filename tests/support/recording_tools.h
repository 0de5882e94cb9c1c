#pragma once
// A tools library for tests: it offers only the logger, which records every line, and installs
// itself as the process's tools library for its lifetime. Every other service is absent.

#include <string>
#include <vector>

#include "core/tools/tools_interface.h"

namespace tltest {

class RecordingTools final : public tltools::ToolsInterface, private tltools::ILogger {
public:
    RecordingTools();
    ~RecordingTools();
    RecordingTools(const RecordingTools&) = delete;
    RecordingTools& operator=(const RecordingTools&) = delete;

    // The texts logged under the function's name, in order, as UTF-8.
    std::vector<std::string> Texts(std::u16string_view function) const;
    // Every line as "function: text".
    std::vector<std::string> Lines() const;
    void Clear() { lines_.clear(); }

    void Initialize(void*) override {}
    tltools::IStringService* GetStringService(int) override { return nullptr; }
    tltools::IProcessPosting* GetProcessPosting(int) override { return nullptr; }
    tltools::ITranslator* GetTranslator(int) override { return nullptr; }
    tltools::ISkinService* GetSkinService(int) override { return nullptr; }
    tltools::IProductInfo* GetProductInfo(int) override { return nullptr; }
    tltools::ILogger* GetLogger(int channel) override { return channel == 0 ? this : nullptr; }
    tltools::IMessageService* GetMessageService(int) override { return nullptr; }
    tltools::IMessageDispatcher* GetMessageDispatcher(int) override { return nullptr; }
    tltools::ISettings* OpenSettingsSection(const TLString&) override { return nullptr; }
    tltools::ISettings* OpenRegistryKey(void*, const TLString&) override { return nullptr; }
    tltools::ISettingsImport* GetSettingsImport(int) override { return nullptr; }
    tltools::IRunningProduct* GetRunningProduct(int) override { return nullptr; }
    void LoadingComplete() override {}
    void PathsChanged() override {}
    TLString GetLogFilePath() override { return TLString(); }

private:
    struct Line {
        TLString function;
        TLString text;
    };
    void Log(int kind, const TLString& function, const TLString& text) override;

    std::vector<Line> lines_;
};

}  // namespace tltest
