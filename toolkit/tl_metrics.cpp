#include "toolkit/tl_metrics.h"

#include <map>

namespace toolkit {
namespace {

template <typename Function>
Function UserFunction(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

UINT SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kLogicalDpi;
}

// The message font as the system sizes it for `dpi`; older Windows only knows the system DPI, from
// which the font is scaled.
LOGFONTW MessageFont(UINT dpi) {
    using ForDpi = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    static const auto for_dpi = UserFunction<ForDpi>("SystemParametersInfoForDpi");
    if (for_dpi && for_dpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) return metrics.lfMessageFont;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, SystemDpi());
    return metrics.lfMessageFont;
}

class FontCache {
public:
    ~FontCache() {
        for (auto& [dpi, fonts] : fonts_) {
            DeleteObject(fonts.normal);
            DeleteObject(fonts.bold);
            DeleteObject(fonts.title);
        }
    }
    const Fonts& For(UINT dpi) {
        auto found = fonts_.find(dpi);
        if (found != fonts_.end()) return found->second;
        LOGFONTW font = MessageFont(dpi);
        font.lfQuality = CLEARTYPE_QUALITY;
        Fonts made{};
        made.normal = CreateFontIndirectW(&font);
        font.lfWeight = FW_BOLD;
        made.bold = CreateFontIndirectW(&font);
        font.lfHeight = MulDiv(font.lfHeight, 4, 3);
        made.title = CreateFontIndirectW(&font);
        return fonts_.emplace(dpi, made).first->second;
    }

private:
    std::map<UINT, Fonts> fonts_;
};

}  // namespace

UINT WindowDpi(HWND window) {
    using ForWindow = UINT(WINAPI*)(HWND);
    static const auto for_window = UserFunction<ForWindow>("GetDpiForWindow");
    const UINT dpi = for_window && window ? for_window(window) : 0;
    return dpi ? dpi : SystemDpi();
}

RECT ScaleRect(const RECT& logical, UINT dpi) {
    return {Scale(logical.left, dpi), Scale(logical.top, dpi), Scale(logical.right, dpi), Scale(logical.bottom, dpi)};
}

const Fonts& FontsFor(UINT dpi) {
    static FontCache cache;
    return cache.For(dpi);
}

HFONT FontOf(FontKind kind, UINT dpi) {
    const Fonts& fonts = FontsFor(dpi);
    return kind == FontKind::kBold ? fonts.bold : kind == FontKind::kTitle ? fonts.title : fonts.normal;
}

}  // namespace toolkit
