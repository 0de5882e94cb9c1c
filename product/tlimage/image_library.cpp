// TLImage.dll: decodes the pictures the installer shows (promotional pictures, skin art) through the
// Windows Imaging Component.
#include <wincodec.h>
#include <windows.h>
#include <wrl/client.h>

#include "toolkit/image/image_interface.h"

namespace {

class CImageApp final : public tlimage::IImageApp {
public:
    void Initialize(void*) override {}

    void* DecodeFile(const TLString& path, int* width, int* height) override {
        // The caller's thread normally has COM already; a thread without it gets it for this call.
        const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        HBITMAP bitmap = Decode(path, width, height);
        if (SUCCEEDED(com)) CoUninitialize();
        return bitmap;
    }

private:
    static HBITMAP Decode(const TLString& path, int* width, int* height) {
        Microsoft::WRL::ComPtr<IWICImagingFactory> factory;
        if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_PPV_ARGS(factory.GetAddressOf()))))
            return nullptr;
        Microsoft::WRL::ComPtr<IWICBitmapDecoder> decoder;
        if (FAILED(factory->CreateDecoderFromFilename(path.wc(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                      decoder.GetAddressOf())))
            return nullptr;
        GUID format{};
        // Only the two formats the product ships its pictures in.
        if (FAILED(decoder->GetContainerFormat(&format)) ||
            (format != GUID_ContainerFormatPng && format != GUID_ContainerFormatJpeg))
            return nullptr;
        Microsoft::WRL::ComPtr<IWICBitmapFrameDecode> frame;
        if (FAILED(decoder->GetFrame(0, frame.GetAddressOf()))) return nullptr;
        Microsoft::WRL::ComPtr<IWICFormatConverter> converter;
        if (FAILED(factory->CreateFormatConverter(converter.GetAddressOf())) ||
            FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr,
                                         0.0, WICBitmapPaletteTypeCustom)))
            return nullptr;
        UINT w = 0;
        UINT h = 0;
        if (FAILED(converter->GetSize(&w, &h)) || w == 0 || h == 0 || w > 16384 || h > 16384) return nullptr;

        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = static_cast<LONG>(w);
        info.bmiHeader.biHeight = -static_cast<LONG>(h);
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!bitmap) return nullptr;
        const UINT stride = w * 4;
        if (FAILED(converter->CopyPixels(nullptr, stride, stride * h, static_cast<BYTE*>(bits)))) {
            DeleteObject(bitmap);
            return nullptr;
        }
        *width = static_cast<int>(w);
        *height = static_cast<int>(h);
        return bitmap;
    }
};

}  // namespace

extern "C" __declspec(dllexport) tltools::IProductModule* GetTLImageAppDLL(int /*version*/) {
    static CImageApp app;
    return &app;
}
