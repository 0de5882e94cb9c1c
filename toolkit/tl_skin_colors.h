#pragma once
// The colours the toolkit draws with: the skin's, where the tools library's skin service offers them,
// otherwise a plain light look (white header band, light page, dark text).

#include <windows.h>

namespace toolkit {

struct SkinColors {
    COLORREF header;       // the header band
    COLORREF header_text;  // title and subtitle on it
    COLORREF page;         // the page area and the button bar
    COLORREF text;         // text on the page
    COLORREF line;         // the rules between header, page and button bar
};

// Read from the skin once, on first use.
const SkinColors& Colors();
// A solid brush of the colour, kept until the process ends.
HBRUSH BrushOf(COLORREF color);

// The page look of a window that holds controls: its background in the page colour (WM_ERASEBKGND),
// its static texts and check boxes drawn on it (WM_CTLCOLORSTATIC, WM_CTLCOLORBTN). True when
// `message` was one of those, with the answer in `result`.
bool HandlePageColors(HWND window, UINT message, WPARAM wparam, LRESULT* result);

}  // namespace toolkit
