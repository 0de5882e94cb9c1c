#pragma once
// A tools library for tests: it offers only the logger, which records every line, and installs
// itself as the process's tools library for its lifetime. Every other service is absent.

#include <string>
#include <vector>

#include "core/tools/tools_interface.h"
#include "tests/support/serviceless_tools.h"

namespace tltest {

class RecordingTools final : public ServicelessTools, private tltools::ILogger {
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

    tltools::ILogger* GetLogger(int channel) override { return channel == 0 ? this : nullptr; }

private:
    struct Line {
        TLString function;
        TLString text;
    };
    void Log(int kind, const TLString& function, const TLString& text) override;

    std::vector<Line> lines_;
};

}  // namespace tltest
