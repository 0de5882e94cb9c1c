#pragma once
// The binary interface of the product's image library (TLImage.dll): its entry export
// "GetTLImageAppDLL" returns an IImageApp. Handles travel as void* so that the header stays free
// of <windows.h>.

#include "core/string/tl_string.h"
#include "core/tools/tools_interface.h"

namespace tlimage {

class IImageApp : public tltools::IProductModule {
public:
    // Decodes a PNG or JPEG file into a 32-bit top-down DIB section (an HBITMAP) with premultiplied
    // alpha, ready for AlphaBlend; the caller deletes it. Null when the file cannot be read or decoded.
    virtual void* DecodeFile(const TLString& path, int* width, int* height) = 0;

protected:
    ~IImageApp() = default;
};

}  // namespace tlimage
