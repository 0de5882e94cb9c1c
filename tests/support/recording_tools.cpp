#include "tests/support/recording_tools.h"

#include "core/tools/tools.h"

namespace tltest {

RecordingTools::RecordingTools() { tools::SetInterface(this); }
RecordingTools::~RecordingTools() { tools::SetInterface(nullptr); }

void RecordingTools::Log(int, const TLString& function, const TLString& text) { lines_.push_back({function, text}); }

std::vector<std::string> RecordingTools::Texts(std::u16string_view function) const {
    std::vector<std::string> texts;
    for (const Line& line : lines_)
        if (line.function == function) texts.push_back(line.text.ToUtf8());
    return texts;
}

std::vector<std::string> RecordingTools::Lines() const {
    std::vector<std::string> lines;
    for (const Line& line : lines_) lines.push_back(line.function.ToUtf8() + ": " + line.text.ToUtf8());
    return lines;
}

}  // namespace tltest
