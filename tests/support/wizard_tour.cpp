// wizard_tour.exe: walks through the wizard of a Setup.exe it starts, with the default answers, and
// stops on every page and message box until the screenshot script has taken its picture.
//   wizard_tour.exe HANDSHAKE_FOLDER SETUP_EXE [switches...]
// For each screen it writes HANDSHAKE_FOLDER\NN.ready ("name" and "left top width height" of the
// window, one per line) and waits for HANDSHAKE_FOLDER\NN.done before going on. It ends with
// Setup.exe's exit code.
#include <windows.h>

#include <string>

#include "tests/support/window_driver.h"
#include "tests/support/wizard_driver.h"
#include "wizard/control_ids.h"

namespace {

constexpr DWORD kAcknowledgeTimeout = 120000;
// Time for a page that has just appeared to finish painting.
constexpr DWORD kSettle = 600;

bool WriteText(const TLString& path, const std::string& text) {
    HANDLE file = CreateFileW(path.wc(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return ok;
}

// Names usable as file names.
std::string FileNamePart(const TLString& text) {
    std::string name;
    for (char c : text.ToUtf8()) name += (isalnum(static_cast<unsigned char>(c)) || c == '-') ? c : '-';
    return name;
}

class Handshake {
public:
    explicit Handshake(TLString folder) : folder_(std::move(folder)) { folder_.EnsureTrailingBackslash(); }

    // Announces a screen and waits until its picture is taken.
    bool Announce(const std::string& name, HWND window) {
        ++count_;
        RECT rect{};
        GetWindowRect(window, &rect);
        const TLString number = TLString::Format(u"%02d", count_);
        const std::string text = number.ToUtf8() + "-" + name + "\n" + std::to_string(rect.left) + " " +
                                 std::to_string(rect.top) + " " + std::to_string(rect.right - rect.left) + " " +
                                 std::to_string(rect.bottom - rect.top) + "\n";
        if (!WriteText(folder_ + number + u".ready", text)) return false;
        const TLString done = folder_ + number + u".done";
        for (DWORD waited = 0; waited < kAcknowledgeTimeout; waited += 100) {
            if (GetFileAttributesW(done.wc()) != INVALID_FILE_ATTRIBUTES) return true;
            Sleep(100);
        }
        return false;
    }

private:
    TLString folder_;
    int count_ = 0;
};

// The setup type page comes right after the welcome page.
constexpr int kSetupTypePage = 1;

// The message box's first button, as a person taking the proposed answer would.
void PressFirstButton(HWND message) {
    for (HWND child = GetWindow(message, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[16] = {};
        GetClassNameW(child, name, 16);
        if (_wcsicmp(name, L"Button") != 0) continue;
        PostMessageW(message, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(child), BN_CLICKED), reinterpret_cast<LPARAM>(child));
        return;
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    Handshake handshake{TLString(argv[1])};
    std::u16string arguments;
    for (int i = 3; i < argc; ++i) {
        if (!arguments.empty()) arguments += u' ';
        arguments += reinterpret_cast<const char16_t*>(argv[i]);
    }
    tltest::WizardDriver wizard{TLString(argv[2]), arguments};
    if (!wizard.WaitForWizard(120000)) return static_cast<int>(wizard.WaitForExit().exit_code);

    int last_index = -1;
    while (!wizard.HasExited()) {
        if (HWND message = tltest::FindVisibleWindow(wizard.program().id(), u"#32770")) {
            Sleep(kSettle);
            handshake.Announce("message-" + FileNamePart(tltest::AllText(message).Left(40)), message);
            PressFirstButton(message);
            Sleep(kSettle);
            continue;
        }
        const int index = wizard.PageIndex();
        if (index >= 0 && index != last_index) {
            Sleep(kSettle);
            if (wizard.PageIndex() != index) continue;
            last_index = index;
            handshake.Announce("page" + std::to_string(index) + "-" + FileNamePart(wizard.Title()), wizard.window());
        }
        // Custom, so that the tour passes every page a person can reach rather than the express road.
        if (index == kSetupTypePage)
            wizard.SelectRadio(wizard_ids::kSetupTypeFirstRadio, 2, wizard_ids::kSetupTypeFirstRadio + 1);
        // A page that runs by itself (the installation) keeps Next disabled until it moves on.
        if (index >= 0 && wizard.Button(wizard_ids::kNextButtonId).enabled) wizard.Click(wizard_ids::kNextButtonId);
        Sleep(200);
    }
    return static_cast<int>(wizard.WaitForExit().exit_code);
}
