#include "product/tltools/message_dialog.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace tltools_dll {
namespace {

constexpr int kTextId = 1000;
constexpr int kMargin = 16;
constexpr int kButtonWidth = 96;
constexpr int kButtonHeight = 28;
constexpr int kTextWidth = 440;

struct Button {
    TLString label;
    int id;
};

struct DialogContent {
    TLString text;
    std::vector<Button> buttons;
    int cancel_answer;  // the answer when the dialog is closed without a button
};

HFONT DialogFont() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

void Layout(HWND dialog, const DialogContent& content) {
    HFONT font = DialogFont();
    SetPropW(dialog, L"TLMessageFont", font);
    HDC dc = GetDC(dialog);
    HGDIOBJ old = SelectObject(dc, font);
    RECT text_rect = {0, 0, kTextWidth, 0};
    DrawTextW(dc, content.text.wc(), -1, &text_rect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(dialog, dc);

    const int count = static_cast<int>(content.buttons.size());
    const int buttons_width = count * kButtonWidth + (count - 1) * 8;
    const int client_width = std::max(kTextWidth, buttons_width) + 2 * kMargin;
    const int text_height = text_rect.bottom - text_rect.top;
    const int client_height = kMargin + text_height + kMargin + kButtonHeight + kMargin;

    HWND text =
        CreateWindowExW(0, L"STATIC", content.text.wc(), WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, kMargin,
                        kMargin, kTextWidth, text_height, dialog, reinterpret_cast<HMENU>(kTextId), nullptr, nullptr);
    SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    int x = client_width - kMargin - buttons_width;
    for (size_t i = 0; i < content.buttons.size(); ++i) {
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == 0 ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        HWND button =
            CreateWindowExW(0, L"BUTTON", content.buttons[i].label.wc(), style, x,
                            client_height - kMargin - kButtonHeight, kButtonWidth, kButtonHeight, dialog,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(content.buttons[i].id)), nullptr, nullptr);
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (i == 0) SetFocus(button);
        x += kButtonWidth + 8;
    }

    RECT frame = {0, 0, client_width, client_height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(dialog, HWND_TOP, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, 0);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_INITDIALOG: {
            const auto* content = reinterpret_cast<const DialogContent*>(lparam);
            SetWindowLongPtrW(dialog, DWLP_USER, lparam);
            Layout(dialog, *content);
            SetForegroundWindow(dialog);
            return FALSE;  // the focus is set on the first button
        }
        case WM_COMMAND: {
            const auto* content = reinterpret_cast<const DialogContent*>(GetWindowLongPtrW(dialog, DWLP_USER));
            const int id = LOWORD(wparam);
            if (id == IDCANCEL) {
                EndDialog(dialog, content->cancel_answer);
                return TRUE;
            }
            for (const Button& button : content->buttons) {
                if (button.id == id) {
                    EndDialog(dialog, id);
                    return TRUE;
                }
            }
            return FALSE;
        }
        case WM_DESTROY:
            if (HANDLE font = RemovePropW(dialog, L"TLMessageFont")) DeleteObject(font);
            return FALSE;
        default:
            return FALSE;
    }
}

// An empty dialog template with the title; the controls are made when the dialog starts.
std::vector<WORD> Template(const TLString& title) {
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    auto* header = reinterpret_cast<DLGTEMPLATE*>(words.data());
    header->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFOREGROUND;
    header->cx = 200;
    header->cy = 80;
    words.push_back(0);  // no menu
    words.push_back(0);  // the standard dialog class
    for (const char16_t c : title.view()) words.push_back(c);
    words.push_back(0);
    return words;
}

TLString Translated(tltools::ITranslator& translator, const char16_t* text) {
    TLString result(text);
    translator.Translate(result);
    return result;
}

DialogContent Content(tltools::ITranslator& translator, const TLString& text, int buttons,
                      const TLStringArray* named_buttons) {
    DialogContent content{text, {}, IDOK};
    if (named_buttons && !named_buttons->IsEmpty()) {
        for (size_t i = 0; i < named_buttons->GetCount(); ++i)
            content.buttons.push_back(
                {(*named_buttons)[i], tltools::IMessageService::kResultFirstNamed + static_cast<int>(i)});
        content.cancel_answer = content.buttons.back().id;
    } else if (buttons == tltools::IMessageService::kYesNo) {
        content.buttons = {{Translated(translator, u"Yes"), IDYES}, {Translated(translator, u"No"), IDNO}};
        content.cancel_answer = IDNO;
    } else {
        content.buttons = {{Translated(translator, u"OK"), IDOK}};
    }
    return content;
}

}  // namespace

int CMessageDialog::Show(void* owner_window, const TLString& title, const TLString& text, int buttons,
                         const TLStringArray* named_buttons) {
    const DialogContent content = Content(translator_, text, buttons, named_buttons);
    const std::vector<WORD> words = Template(title);
    const INT_PTR answer =
        DialogBoxIndirectParamW(instance_ ? static_cast<HINSTANCE>(instance_) : GetModuleHandleW(nullptr),
                                reinterpret_cast<const DLGTEMPLATE*>(words.data()), static_cast<HWND>(owner_window),
                                DialogProc, reinterpret_cast<LPARAM>(&content));
    return answer <= 0 ? content.cancel_answer : static_cast<int>(answer);
}

}  // namespace tltools_dll
