#include "toolkit/image/tl_image_loader.h"

#include "core/tools/module_loader.h"
#include "core/tools/tools.h"
#include "toolkit/image/image_interface.h"

namespace toolkit {

HBITMAP DecodeImageFile(const TLString& path, int* width, int* height) {
    tltools::TLModuleLoader& loader = tltools::TLModuleLoader::Get();
    if (!loader.Load(tltools::kImageSlot)) {
        tools::Log(u"DecodeImageFile", u"The image library is not there; no picture is shown",
                   tltools::ILogger::kWarning);
        return nullptr;
    }
    auto* images = static_cast<tlimage::IImageApp*>(loader.Object(tltools::kImageSlot));
    HBITMAP bitmap = static_cast<HBITMAP>(images->DecodeFile(path, width, height));
    if (!bitmap) tools::LogFormat(u"DecodeImageFile", u"Could not decode \"%s\"", path);
    return bitmap;
}

}  // namespace toolkit
