#include "engine/finalize/finalize_section.h"

namespace engine {

void EmptyFinalizeSection(tools::Settings& section) {
    for (std::u16string_view format : {kInstallFileFormat, kDeleteFileFormat, kRegisterFileFormat}) {
        for (int number = 0; section.DeleteValue(TLString::Format(format, number)); ++number) {
        }
    }
}

}  // namespace engine
