#include "toolkit/tl_skin_colors.h"

#include <map>

#include "core/tools/tools.h"

namespace toolkit {
namespace {

// Dark text on light colours, white on dark ones.
COLORREF ReadableOn(COLORREF background) {
    const int luminance =
        (GetRValue(background) * 299 + GetGValue(background) * 587 + GetBValue(background) * 114) / 1000;
    return luminance < 140 ? RGB(255, 255, 255) : RGB(32, 32, 32);
}

SkinColors ReadColors() {
    tltools::ToolsInterface* tools = tools::Interface();
    tltools::ISkinService* skin = tools ? tools->GetSkinService(1) : nullptr;
    auto color = [skin](const char16_t* element, COLORREF fallback) -> COLORREF {
        return skin ? static_cast<COLORREF>(skin->GetColor(element, fallback)) : fallback;
    };
    SkinColors colors{};
    colors.header = color(u"Header", RGB(255, 255, 255));
    colors.header_text = color(u"HeaderText", ReadableOn(colors.header));
    colors.page = color(u"Window", RGB(247, 248, 250));
    colors.text = color(u"Text", RGB(32, 32, 32));
    colors.line = color(u"Line", RGB(218, 222, 228));
    return colors;
}

}  // namespace

const SkinColors& Colors() {
    static const SkinColors colors = ReadColors();
    return colors;
}

HBRUSH BrushOf(COLORREF color) {
    static std::map<COLORREF, HBRUSH> brushes;
    auto found = brushes.find(color);
    if (found != brushes.end()) return found->second;
    return brushes.emplace(color, CreateSolidBrush(color)).first->second;
}

bool HandlePageColors(HWND window, UINT message, WPARAM wparam, LRESULT* result) {
    const SkinColors& colors = Colors();
    HDC dc = reinterpret_cast<HDC>(wparam);
    switch (message) {
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(window, &client);
            FillRect(dc, &client, BrushOf(colors.page));
            *result = 1;
            return true;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            SetTextColor(dc, colors.text);
            SetBkColor(dc, colors.page);
            *result = reinterpret_cast<LRESULT>(BrushOf(colors.page));
            return true;
        default:
            return false;
    }
}

}  // namespace toolkit
