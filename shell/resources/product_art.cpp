#include "shell/resources/product_art.h"

#include "core/windows/file_attributes.h"

namespace shell {

TLString FindProductArt(const TLString& program_folder, const TLString& name) {
    TLString folder = program_folder;
    folder.EnsureTrailingBackslash();
    for (const char16_t* kind : {u"Data\\Custom Resources\\", u"Data\\Default Resources\\"})
        if (tlwin::FileExists(folder + kind + name)) return folder + kind + name;
    return TLString();
}

}  // namespace shell
