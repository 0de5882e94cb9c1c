// The stand-in tools library as the installer uses it: loaded from a copy of the distribution's
// program folder through the module loader, every service reached through the ToolsInterface.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "core/process/tl_process_info_block.h"
#include "core/tools/module_loader.h"
#include "core/tools/tools.h"
#include "tests/support/dialog_answer.h"
#include "tests/support/product_keys.h"
#include "tests/support/win_test_support.h"

namespace {

using tltest::kProductSettingsKey;

class ToolsLibrary : public ::testing::Test {
protected:
    ToolsLibrary() {
        EXPECT_TRUE(tltest::CopyTree(tltest::BuildPath(u"distribution/Tunevault"), program_));
        block_->SetString(TLProcessInfoBlock::kProgramFolder, program_);
        block_->SetString(TLProcessInfoBlock::kInstallFolder, u"C:\\Program Files\\Tonehall 27\\");
        EXPECT_TRUE(tltools::TLModuleLoader::Get().Load(tltools::kToolsSlot));
        tools_ = tools::Interface();
    }
    ~ToolsLibrary() override {
        tltools::TLModuleLoader::Get().UnloadAll();
        block_->SetString(TLProcessInfoBlock::kProgramFolder, u"");
        block_->SetString(TLProcessInfoBlock::kInstallFolder, u"");
    }

    tltest::RegistryCleanup settings_{HKEY_CURRENT_USER, kProductSettingsKey};
    tltest::ScratchFolder scratch_;
    TLString program_ = scratch_.Path(u"Tunevault\\");
    TLProcessInfoBlock* block_ = TLProcessInfoBlock::Get();
    tltools::ToolsInterface* tools_ = nullptr;
};

TEST_F(ToolsLibrary, LoadsProductInformationFromTheProgramFolder) {
    ASSERT_NE(tools_, nullptr);
    tltools::IProductInfo* info = tools_->GetProductInfo(0);
    ASSERT_NE(info, nullptr);
    EXPECT_FALSE(info->IsLoaded());
    TLString error;
    ASSERT_TRUE(info->Load(TLString(), &error)) << error;
    EXPECT_TRUE(info->IsLoaded());

    const std::pair<const char16_t*, const char16_t*> strings[] = {
        {u"/*/General/MegaSkin", u"Standard.tlskin"},
        {u"/*/General/MegaSkinKey", u"Standard View Skin 2"},
        {u"/*/SpecialFeatures/MinIEVersion", u"9.0.0.0"},
        {u"/*/Product/InstallToPath", u"C:\\Program Files\\Tonehall 27\\"},
        {u"/*/Product/ObsoleteFiles", u"(default)"},  // empty element: the default
        {u"/*/Product/NoSuchKey", u"(default)"},
    };
    for (const auto& [path, expected] : strings)
        EXPECT_EQ(info->GetString(path, u"(default)"), expected) << TLString(path);
    EXPECT_EQ(info->GetInteger(u"/*/Installer/PromoMinimumMilliseconds", 0), 3000);
    EXPECT_EQ(info->GetInteger(u"/*/Installer/ShowLanguageSelection", 5), 0);
    EXPECT_EQ(info->GetInteger(u"/*/Installer/NoSuchKey", 5), 5);

    const std::pair<int, const char16_t*> items[] = {{0, u"Tonehall"},
                                                     {2, u"Tonehall"},
                                                     {3, u"Tonehall 27"},
                                                     {5, u"Tonehall Media Player"},
                                                     {15, u"https://download.corvane.example/tonehall/27/"},
                                                     {4, u""}};
    for (const auto& [number, expected] : items) EXPECT_EQ(info->GetItem(number), expected) << number;

    EXPECT_EQ(info->GetVersionText(), u"27.0.0.1");
    EXPECT_EQ(info->GetMainProgramFileName(), u"Tonehall.exe");
    EXPECT_EQ(info->GetLauncherFileName(), u"Tonehall Launcher.exe");
    EXPECT_EQ(info->GetLauncherPath(), u"C:\\Program Files\\Tonehall 27\\Tonehall Launcher.exe");
    EXPECT_EQ(info->GetStartMenuFolder(), u"Tonehall 27");
    EXPECT_EQ(info->GetWebAddress(), u"https://www.corvane.example/tonehall");
    EXPECT_NE(info->GetMimeTypes().Find(u"audio/mpeg;"), TLString::npos);
    EXPECT_EQ(info->GetUrlProtocols(), u"tonehall;tonehall-stream");

    const std::pair<int, bool> features[] = {{2, true},   {18, true},  {19, true},   {20, false},  {84, false},
                                             {173, true}, {176, true}, {182, false}, {191, false}, {999, false}};
    for (const auto& [number, expected] : features) EXPECT_EQ(info->Query(number), expected) << number;
}

TEST_F(ToolsLibrary, HandsOutItsInterfaceOnlyForItsOwnVersion) {
    using Entry = tltools::IProductModule* (*)(int);
    HMODULE module = tltools::TLModuleLoader::Get().Module(tltools::kToolsSlot);
    const auto entry = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module, "GetTLToolsDLL")));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry(tltools::kInterfaceVersion), static_cast<tltools::IProductModule*>(tools_));
    EXPECT_EQ(entry(200047), nullptr);
    EXPECT_NE(GetProcAddress(module, "UninitializeTLToolsDLL"), nullptr);
}

TEST_F(ToolsLibrary, ReportsWhyProductInformationCannotBeLoaded) {
    tltools::IProductInfo* info = tools_->GetProductInfo(0);
    TLString error;
    EXPECT_FALSE(info->Load(scratch_.Path(u"missing.xml"), &error));
    EXPECT_NE(error.Find(u"cannot be read"), TLString::npos) << error;
    ASSERT_TRUE(scratch_.WriteFile(u"other.xml", "<TLIC version=\"1.0\"/>"));
    EXPECT_FALSE(info->Load(scratch_.Path(u"other.xml"), &error));
    EXPECT_NE(error.Find(u"is not valid"), TLString::npos) << error;
    EXPECT_FALSE(info->IsLoaded());
}

TEST_F(ToolsLibrary, KeepsSettingsSectionsInTheProductsRegistryKey) {
    tools::Settings installer = tools::OpenSettingsSection(u"Installer\\Finalize");
    ASSERT_TRUE(installer.IsOpen());
    EXPECT_TRUE(installer.SetString(u"Install Directory", u"C:\\Tonehall\\"));
    EXPECT_TRUE(installer.SetInteger(u"Count", -3));
    EXPECT_TRUE(installer.SetInteger(u"Big", int64_t{1} << 40));
    EXPECT_EQ(installer.GetString(u"Install Directory", TLString()), u"C:\\Tonehall\\");
    EXPECT_EQ(installer.GetInteger(u"Count", 0), -3);
    EXPECT_EQ(installer.GetInteger(u"Big", 0), int64_t{1} << 40);
    EXPECT_EQ(installer.GetInteger(u"Install Directory", 9), 9);  // text that is no number
    EXPECT_EQ(installer.GetString(u"Missing", u"fallback"), u"fallback");

    TLString stored;
    EXPECT_TRUE(tltest::ReadRegistryString(HKEY_CURRENT_USER, u"Software\\C. Orvane\\Tonehall 27\\Installer\\Finalize",
                                           u"Install Directory", &stored));
    EXPECT_EQ(stored, u"C:\\Tonehall\\");
    DWORD count = 0;
    EXPECT_TRUE(tltest::ReadRegistryDword(HKEY_CURRENT_USER, u"Software\\C. Orvane\\Tonehall 27\\Installer\\Finalize",
                                          u"Count", &count));
    EXPECT_EQ(count, static_cast<DWORD>(-3));

    EXPECT_TRUE(installer.DeleteValue(u"Count"));
    EXPECT_FALSE(installer.DeleteValue(u"Count"));
    EXPECT_EQ(installer.GetInteger(u"Count", 7), 7);

    tools::Settings key = tools::OpenRegistryKey(HKEY_CURRENT_USER, u"Software\\C. Orvane\\Tonehall 27\\Keys");
    ASSERT_TRUE(key.IsOpen());
    EXPECT_TRUE(key.SetString(u"Name", u"value"));
    EXPECT_TRUE(
        tltest::ReadRegistryString(HKEY_CURRENT_USER, u"Software\\C. Orvane\\Tonehall 27\\Keys", u"Name", &stored));
    EXPECT_EQ(stored, u"value");
}

// "Path" and "Install Directory" are written as expandable strings; the reader must get the text back
// as written (not expanded) and the registry must hold the type asked for.
TEST_F(ToolsLibrary, KeepsTheStringTypeItIsAskedFor) {
    constexpr char16_t kKey[] = u"Software\\C. Orvane\\Tonehall 27\\Installer";
    tools::Settings installer = tools::OpenSettingsSection(u"Installer");
    ASSERT_TRUE(installer.IsOpen());
    const struct {
        const char16_t* name;
        int type;
        bool accepted;
        DWORD registry_type;
    } cases[] = {
        {u"Plain", tltools::ISettings::kPlainString, true, REG_SZ},
        {u"Install Directory", tltools::ISettings::kExpandableString, true, REG_EXPAND_SZ},
        {u"Binary", 3, false, 0},
        {u"Negative", -1, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(TLString(c.name).ToUtf8());
        EXPECT_EQ(installer.SetString(c.name, u"%ProgramFiles%\\Tonehall\\", c.type), c.accepted);
        HKEY key;
        ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, TLString(kKey).wc(), 0, KEY_READ, &key), ERROR_SUCCESS);
        DWORD type = 0;
        const LONG result = RegQueryValueExW(key, TLString(c.name).wc(), nullptr, &type, nullptr, nullptr);
        RegCloseKey(key);
        EXPECT_EQ(result == ERROR_SUCCESS, c.accepted);
        if (!c.accepted) continue;
        EXPECT_EQ(type, c.registry_type);
        EXPECT_EQ(installer.GetString(c.name, TLString()), u"%ProgramFiles%\\Tonehall\\");
    }
}

TEST_F(ToolsLibrary, ImportsASettingsFile) {
    ASSERT_TRUE(
        scratch_.WriteFile(u"settings.ini",
                           "; exported settings\r\n[Properties]\r\nVolume=dword:80\r\nSkin=Dark\\Night.tlskin\r\n"
                           "[Installer]\r\nInstall Directory=C:\\Tonehall\\\r\n"));
    ASSERT_TRUE(tools_->GetSettingsImport(1)->Import(scratch_.Path(u"settings.ini")));
    EXPECT_EQ(tools::OpenSettingsSection(u"Properties").GetInteger(u"Volume", 0), 80);
    EXPECT_EQ(tools::OpenSettingsSection(u"Properties").GetString(u"Skin", TLString()), u"Dark\\Night.tlskin");
    EXPECT_EQ(tools::OpenSettingsSection(u"Installer").GetString(u"Install Directory", TLString()), u"C:\\Tonehall\\");
    EXPECT_FALSE(tools_->GetSettingsImport(1)->Import(scratch_.Path(u"missing.ini")));
}

TEST_F(ToolsLibrary, ImportsTheExportsOfASettingsFolderInNameOrder) {
    ASSERT_TRUE(scratch_.WriteFile(u"Export\\B.tlsettings", "[Properties]\r\nView=second\r\n"));
    ASSERT_TRUE(scratch_.WriteFile(u"Export\\a.tlsettings", "[Properties]\r\nView=first\r\nSize=dword:3\r\n"));
    ASSERT_TRUE(scratch_.WriteFile(u"Export\\TV Shared Settings.ini", "[Properties]\r\nView=not an export\r\n"));
    ASSERT_TRUE(tools_->GetSettingsImport(1)->Import(scratch_.Path(u"Export\\")));
    EXPECT_EQ(tools::OpenSettingsSection(u"Properties").GetString(u"View", TLString()), u"second");
    EXPECT_EQ(tools::OpenSettingsSection(u"Properties").GetInteger(u"Size", 0), 3);
    ASSERT_TRUE(scratch_.WriteFile(u"Empty\\readme.txt", "no export here"));
    EXPECT_FALSE(tools_->GetSettingsImport(1)->Import(scratch_.Path(u"Empty")));
}

TEST_F(ToolsLibrary, MovingASettingsSectionMergesKeepingWhatTheNewSectionHas) {
    tools::Settings old_section = tools::OpenSettingsSection(u"PluginsRemoteControl");
    ASSERT_TRUE(old_section.SetString(u"Device", u"IR"));
    ASSERT_TRUE(old_section.SetInteger(u"Repeat Delay", 250));
    ASSERT_TRUE(tools::OpenSettingsSection(u"PluginsRemoteControl\\Buttons").SetString(u"Play", u"P"));
    ASSERT_TRUE(tools::OpenSettingsSection(u"Plugins\\RemoteControl").SetString(u"Device", u"Bluetooth"));

    ASSERT_TRUE(tools_->MoveSettingsSection(u"PluginsRemoteControl", u"Plugins\\RemoteControl"));

    const tools::Settings moved = tools::OpenSettingsSection(u"Plugins\\RemoteControl");
    EXPECT_EQ(moved.GetString(u"Device", TLString()), u"Bluetooth");
    EXPECT_EQ(moved.GetInteger(u"Repeat Delay", 0), 250);
    EXPECT_EQ(tools::OpenSettingsSection(u"Plugins\\RemoteControl\\Buttons").GetString(u"Play", TLString()), u"P");
    EXPECT_FALSE(tools::OpenExistingSettingsSection(u"PluginsRemoteControl").IsOpen());
    EXPECT_TRUE(tools_->MoveSettingsSection(u"PluginsRemoteControl", u"Plugins\\RemoteControl"));
}

TEST_F(ToolsLibrary, TranslatesIntoTheUsersLanguage) {
    tltools::ITranslator* translator = tools_->GetTranslator(1);
    EXPECT_EQ(translator->CurrentLanguage(), u"English");
    EXPECT_EQ(tools::Translate(u"Install Error"), u"Install Error");

    // A fresh library reads the language the user chose.
    ASSERT_TRUE(tools::OpenSettingsSection(u"Properties").SetString(u"Language", u"German"));
    tltools::TLModuleLoader::Get().UnloadAll();
    ASSERT_TRUE(tltools::TLModuleLoader::Get().Load(tltools::kToolsSlot));
    translator = tools::Interface()->GetTranslator(1);
    EXPECT_EQ(translator->CurrentLanguage(), u"German");
    EXPECT_EQ(tools::Translate(u"Install Error"), u"Installationsfehler");
    EXPECT_EQ(tools::Translate(u"Install Wizard encountered a critical error and must close.\r\n\r\n"),
              u"Der Installationsassistent hat einen schwerwiegenden Fehler festgestellt und muss beendet werden."
              u"\r\n\r\n");
    EXPECT_EQ(tools::Translate(u"A text nobody translated"), u"A text nobody translated");
}

TEST_F(ToolsLibrary, FallsBackToEnglishForALanguageWithoutFile) {
    ASSERT_TRUE(tools::OpenSettingsSection(u"Properties").SetString(u"Language", u"Klingon"));
    tltools::TLModuleLoader::Get().UnloadAll();
    ASSERT_TRUE(tltools::TLModuleLoader::Get().Load(tltools::kToolsSlot));
    EXPECT_EQ(tools::Interface()->GetTranslator(1)->CurrentLanguage(), u"English");
    EXPECT_EQ(tools::Translate(u"Install Error"), u"Install Error");
}

TEST_F(ToolsLibrary, LanguageSelectionStoresTheChoice) {
    tltest::DialogAnswer user(u"Language", u"German");
    const bool chosen = tools_->GetTranslator(1)->ShowLanguageSelection(nullptr);
    EXPECT_TRUE(user.Answered());
    EXPECT_TRUE(chosen);
    EXPECT_EQ(tools_->GetTranslator(1)->CurrentLanguage(), u"German");
    EXPECT_EQ(tools::OpenSettingsSection(u"Properties").GetString(u"Language", TLString()), u"German");
}

TEST_F(ToolsLibrary, FindsTextWithOrWithoutCase) {
    tltools::IStringService* strings = tools_->GetStringService(1);
    EXPECT_EQ(strings->FindText(u"Corvane, Inc.", u"inc", tltools::IStringService::kIgnoreCase), 9);
    EXPECT_EQ(strings->FindText(u"Corvane, Inc.", u"inc", tltools::IStringService::kExact), -1);
    EXPECT_EQ(strings->FindText(u"Corvane, Inc.", u"Inc", tltools::IStringService::kExact), 9);
}

TEST_F(ToolsLibrary, TakesTheSkinFileAndAnswersItsColours) {
    tltools::ISkinService* skin = tools_->GetSkinService(1);
    EXPECT_EQ(skin->GetColor(u"Window", 0x123456), 0x123456u);
    EXPECT_FALSE(skin->SetSkinFile(program_ + u"Skins\\Standard View\\"));
    EXPECT_TRUE(skin->SetSkinFile(program_ + u"Skins\\Standard View\\Standard.tlskin"));
    EXPECT_EQ(skin->GetColor(u"Window", 0), 0xF4F1EEu);
    EXPECT_EQ(skin->GetColor(u"Unknown", 7), 7u);
}

TEST_F(ToolsLibrary, LogsIntoTheLogFileWithTheProcessId) {
    EXPECT_EQ(tools_->GetLogFilePath(), tltest::LogFilePath());
    const uint64_t start = tltest::LogFileSize();
    tools::Log(u"ToolsLibraryTest", u"a line to find");
    EXPECT_TRUE(tltest::LogContains(GetCurrentProcessId(), u"ToolsLibraryTest: a line to find", start));
}

// A window standing in for the running product's main window.
class ProductWindow {
public:
    ProductWindow() {
        WNDCLASSW window_class{};
        window_class.lpfnWndProc = Procedure;
        window_class.hInstance = GetModuleHandleW(nullptr);
        window_class.lpszClassName = L"QVFrame";
        RegisterClassW(&window_class);
        window_ = CreateWindowExW(0, L"QVFrame", L"Tonehall", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    }
    ~ProductWindow() {
        if (IsWindow(window_)) DestroyWindow(window_);
        UnregisterClassW(L"QVFrame", GetModuleHandleW(nullptr));
    }
    HWND window() const { return window_; }
    static TLString received;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
        if (message == WM_COPYDATA) {
            const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
            received = TLString(static_cast<const char16_t*>(data->lpData));
            return TRUE;
        }
        return DefWindowProcW(window, message, wparam, lparam);
    }
    HWND window_;
};
TLString ProductWindow::received;

TEST_F(ToolsLibrary, FindsTheRunningProductHandsItCommandsAndClosesIt) {
    tltools::IRunningProduct* running = tools_->GetRunningProduct(1);
    EXPECT_FALSE(running->IsRunning());
    EXPECT_FALSE(tools_->GetProcessPosting(1)->PostCommandLine(u"/play"));

    std::atomic<DWORD> product_thread{0};
    std::thread product([&] {
        ProductWindow window;
        product_thread = GetCurrentThreadId();
        MSG message;
        while (IsWindow(window.window()) && GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    });
    // Should closing fail, the window's thread still ends, and the test with it.
    const auto end_product = [&] {
        while (!product_thread) Sleep(10);
        PostThreadMessageW(product_thread, WM_QUIT, 0, 0);
        product.join();
    };
    for (int i = 0; i < 100 && !running->IsRunning(); ++i) Sleep(20);
    EXPECT_TRUE(running->IsRunning());
    EXPECT_NE(running->MainWindow(), nullptr);
    EXPECT_TRUE(tools_->GetProcessPosting(1)->PostCommandLine(u"/play \"C:\\Music\\a.mp3\""));
    EXPECT_EQ(ProductWindow::received, u"/play \"C:\\Music\\a.mp3\"");
    EXPECT_TRUE(running->Close(10000));
    end_product();
    EXPECT_FALSE(running->IsRunning());
}

TEST_F(ToolsLibrary, DispatchesWaitingMessagesAndAnswersMetrics) {
    tltools::IMessageDispatcher* dispatcher = tools_->GetMessageDispatcher(1);
    EXPECT_EQ(dispatcher->GetMetric(SM_CXSCREEN), GetSystemMetrics(SM_CXSCREEN));
    static int timer_calls = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 1, [](HWND, UINT, UINT_PTR, DWORD) { ++timer_calls; });
    Sleep(50);
    dispatcher->DispatchPending();
    KillTimer(nullptr, timer);
    EXPECT_GE(timer_calls, 1);
}

}  // namespace
