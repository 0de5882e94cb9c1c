#pragma once
// Sizes and fonts at a window's DPI. Layouts are written in logical pixels (96 per inch) and scaled
// here, so that a window on a 144-DPI monitor is half as large again and nothing in it is cut.

#include <windows.h>

namespace toolkit {

constexpr UINT kLogicalDpi = 96;

// The DPI of the window's monitor (per-monitor awareness), or the system's when Windows has no such call.
UINT WindowDpi(HWND window);
inline int Scale(int logical, UINT dpi) { return MulDiv(logical, static_cast<int>(dpi), kLogicalDpi); }
RECT ScaleRect(const RECT& logical, UINT dpi);

// The system's message font at a DPI, plain and bold, and the larger bold font of titles; made once
// per DPI and kept until the process ends.
struct Fonts {
    HFONT normal;
    HFONT bold;
    HFONT title;
};
const Fonts& FontsFor(UINT dpi);

enum class FontKind { kNormal, kBold, kTitle };
HFONT FontOf(FontKind kind, UINT dpi);

}  // namespace toolkit
