#include "toolkit/tl_art.h"

#include "core/process/tl_process_info_block.h"
#include "core/windows/file_attributes.h"

namespace toolkit {

TLString FindArt(const TLString& name) {
    TLProcessInfoBlock* block = TLProcessInfoBlock::Get();
    if (!block) return TLString();
    TLString folder = block->GetString(TLProcessInfoBlock::kProgramFolder);
    if (folder.empty()) return TLString();
    folder.EnsureTrailingBackslash();
    for (const char16_t* kind : {u"Custom Resources\\", u"Default Resources\\"}) {
        const TLString path = folder + kind + name;
        if (tlwin::FileExists(path)) return path;
    }
    return TLString();
}

}  // namespace toolkit
