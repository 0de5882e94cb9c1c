// Packages installed into a scratch product folder: each action's effect, and each failure's message.

#include <gtest/gtest.h>

#include "core/process/tl_shared_memory.h"
#include "core/tools/tools.h"
#include "engine/journal/record_notes.h"
#include "package/install/install_package.h"
#include "tests/archive/zip_builder.h"
#include "tests/engine/fixtures/com_server_key.h"
#include "tests/support/product_tools.h"
#include "tests/support/recording_prompts.h"
#include "tests/support/win_test_support.h"

namespace {

using journal::EntryKind;
using tltest::ZipItem;

struct Action {
    TLString command;
    TLString param;
};
struct Entry {
    TLString file;
    std::vector<Action> actions;
};

TLString PackageXml(std::u16string_view package_actions, const std::vector<Entry>& entries) {
    TLString xml = TLString::Format(
        u"<QVPF version=\"2.0\"><Package><Action>%s</Action><Name>Night Pack</Name>"
        u"<URL>http://example.com/night</URL><Version>1.0</Version><HasActions>%s</HasActions></Package><Actions>",
        TLString(package_actions), entries.empty() ? u"0" : u"1");
    for (const Entry& entry : entries) {
        xml += TLString::Format(u"<FileEntry><File>%s</File><FileType>File</FileType>", entry.file);
        for (const Action& action : entry.actions)
            xml += TLString::Format(u"<Action><Command>%s</Command><Param>%s</Param></Action>",
                                    action.command, TLXMLDocument::EscapeData(action.param));
        xml += u"</FileEntry>";
    }
    return xml + u"</Actions></QVPF>";
}

// Writes the file it is asked for, as a download would, from the texts it was given by address.
class FakeDownloader final : public package::IPackageDownloader {
public:
    bool Download(const TLString& url, const TLString& file, const TLString&) override {
        for (const auto& [address, content] : files) {
            if (url != address) continue;
            HANDLE handle = CreateFileW(file.wc(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            DWORD written = 0;
            WriteFile(handle, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
            CloseHandle(handle);
            return true;
        }
        return false;
    }
    std::vector<std::pair<TLString, std::string>> files;
};

class PackageInstallTest : public ::testing::Test {
protected:
    PackageInstallTest() {
        target.product_folder = Product(u"");
        target.work_folder = Scratch(u"Work\\");
        target.product_name = u"Tonehall";
        target.name_with_version = u"Tonehall.27";
        target.package_installer = Scratch(u"Missing\\PackageInstaller.exe");
        tltest::MakeFolders(target.product_folder);
        signal.Open(package::kInstallPackageError, 4);
        signal.data()[0] = 0;
    }
    TLString Scratch(std::u16string_view relative) const { return tools.scratch().Path(relative); }
    TLString Product(std::u16string_view relative) const { return Scratch(u"Product\\") + relative; }
    void Write(std::u16string_view relative, std::string_view bytes) const {
        ASSERT_TRUE(tools.scratch().WriteFile(relative, bytes));
    }
    // Installs the package text as "Package\night.qvp" and cleans up after it, as the callers do.
    bool Install(const TLString& text, FakeDownloader* downloader = nullptr) {
        Write(u"Package\\night.qvp", text.ToUtf8());
        package::CInstallPackage installer(target, prompts, notes, downloader);
        const bool installed = installer.Install(Scratch(u"Package\\night.qvp"));
        installer.Cleanup();
        return installed;
    }
    TLString LastMessage() const { return prompts.asked.empty() ? TLString() : prompts.asked.back().text; }
    // Whether the change was noted for the install record.
    bool Noted(EntryKind kind, const TLString& path) const {
        for (const journal::Entry& entry : notes.entries())
            if (entry.kind == kind && entry.path == path) return true;
        return false;
    }

    tltest::ProductTools tools;
    package::PackageTarget target;
    tltest::RecordingPrompts prompts;
    journal::CRecordNotes notes;
    TLSharedMemory signal;
};

TEST_F(PackageInstallTest, CopyCommandsPutTheFileInTheirFolderAfterOneQuestion) {
    Write(u"Package\\vis.dll", "dll");
    const char16_t* commands[] = {u"COPY_PLUGINDIR", u"COPY_HELPDIR",   u"COPY_VISUALIZATIONS",
                                  u"COPY_TRACKINFOS", u"COPY_VISSTUDIO", u"COPY_VISSCRIPTS"};
    std::vector<Entry> entries;
    for (const char16_t* command : commands) entries.push_back({u"vis.dll", {{command, u""}}});
    ASSERT_TRUE(Install(PackageXml(u"NONE", entries)));

    for (const char16_t* folder : {u"Plugins\\", u"Help\\", u"Visualizations\\", u"Visualizations\\Track Info\\",
                                   u"Visualizations\\Vis Studio\\"}) {
        SCOPED_TRACE(TLString(folder).ToUtf8());
        EXPECT_EQ(tltest::ReadFileBytes(Product(folder) + u"vis.dll"), "dll");
    }
    ASSERT_EQ(prompts.asked.size(), 1u);
    EXPECT_EQ(prompts.asked[0].title, u"Confirm Action");
    EXPECT_EQ(prompts.asked[0].text, u"Night Pack is about to install a component.  Do you wish to continue?");
    EXPECT_EQ(signal.data()[0], 0);
}

TEST_F(PackageInstallTest, DecliningTheQuestionChangesNothing) {
    Write(u"Package\\vis.dll", "dll");
    prompts.answers.push_back(tltools::IMessageService::kResultNo);
    EXPECT_FALSE(Install(PackageXml(u"NONE", {{u"vis.dll", {{u"COPY_PLUGINDIR", u""}}}})));
    EXPECT_FALSE(tltest::FileExists(Product(u"Plugins")));
    EXPECT_EQ(prompts.asked.size(), 1u);
}

TEST_F(PackageInstallTest, FolderCommandsStayInsideTheProductFolder) {
    Write(u"Package\\Night\\main.xml", "<QVFS/>");
    Write(u"Product\\old.txt", "old");
    Write(u"Product\\OldSkin\\main.xml", "old");
    Write(u"outside.txt", "keep");
    Write(u"Outside\\keep.txt", "keep");
    ASSERT_TRUE(Install(PackageXml(u"NONE", {{u"Night",
                                              {{u"COPY_DIRECTORY", u"Skins\\Lounge View\\Night"},
                                               {u"DELETE", u"old.txt"},
                                               {u"DELETE", u"..\\outside.txt"},
                                               {u"DELETE", u"C:\\windows\\win.ini"},
                                               {u"DELETE_DIRECTORY", u"OldSkin"},
                                               {u"DELETE_DIRECTORY", u"..\\Outside"}}}})));
    EXPECT_EQ(tltest::ReadFileBytes(Product(u"Skins\\Lounge View\\Night\\main.xml")), "<QVFS/>");
    EXPECT_FALSE(tltest::FileExists(Scratch(u"Package\\Night")));
    EXPECT_FALSE(tltest::FileExists(Product(u"old.txt")));
    EXPECT_FALSE(tltest::FileExists(Product(u"OldSkin")));
    EXPECT_EQ(tltest::ReadFileBytes(Scratch(u"outside.txt")), "keep");
    EXPECT_EQ(tltest::ReadFileBytes(Scratch(u"Outside\\keep.txt")), "keep");
    EXPECT_TRUE(tltest::FileExists(u"C:\\windows\\win.ini"));
    // The moved folder's files are noted one by one, with each folder made on the way, for the uninstaller.
    for (const char16_t* folder : {u"Skins\\", u"Skins\\Lounge View\\", u"Skins\\Lounge View\\Night\\"})
        EXPECT_TRUE(Noted(EntryKind::kCreatedFolder, Product(folder))) << TLString(folder).ToUtf8();
    EXPECT_TRUE(Noted(EntryKind::kCreatedFile, Product(u"Skins\\Lounge View\\Night\\main.xml")));
}

// What each command does when it succeeds, where the effect can be seen without the running product.
TEST_F(PackageInstallTest, CommandsThatSucceedLeaveTheirEffect) {
    // A package that installs another one through the product's package installer.
    target.package_installer = Scratch(u"Tunevault\\PackageInstaller.exe");
    Write(u"Package\\gone.txt", "gone");
    // Run by EXECUTE, the package installer stand-in logs its command line beside itself.
    ASSERT_TRUE(CopyFileW(target.package_installer.wc(), Scratch(u"Package\\Echo.exe").wc(), FALSE));
    const TLString echoed = Scratch(u"Package\\PackageInstaller.log");
    Write(u"Package\\inner.dll", "inner");
    Write(u"Package\\inner.qvp", PackageXml(u"NONE", {{u"inner.dll", {{u"COPY_PLUGINDIR", u""}}}}).ToUtf8());
    // Windows' own folders: a name nothing else uses, removed again afterwards.
    Write(u"Package\\tltest_package.dat", "data");
    const TLString server = Scratch(u"Package\\TestComServer.dll");
    ASSERT_TRUE(CopyFileW(tltest::BuildPath(u"tests/engine/fixtures/TestComServer.dll").wc(), server.wc(), FALSE));
    tltest::RegistryCleanup registered(HKEY_CURRENT_USER, tltest::kComServerKey);
    wchar_t folder[MAX_PATH + 1] = {};
    const TLString system(folder, GetSystemDirectoryW(folder, MAX_PATH + 1));
    const TLString windows(folder, GetWindowsDirectoryW(folder, MAX_PATH + 1));
    struct Case {
        Entry entry;
        TLString written;   // a file the command puts in place
        TLString expected;  // and what it holds
    };
    const Case cases[] = {
        {{u"tltest_package.dat", {{u"COPY_SYSDIR", u""}}}, system + u"\\tltest_package.dat", u"data"},
        {{u"tltest_package.dat", {{u"COPY_WINDIR", u""}}}, windows + u"\\tltest_package.dat", u"data"},
        {{u"inner.qvp", {{u"INSTALL", u""}}}, Scratch(u"Tunevault\\Plugins\\inner.dll"), u"inner"},
        {{u"Echo.exe", {{u"EXECUTE", u"/Echo one"}}}, echoed, u"/Echo one\r\n"},
        {{u"gone.txt", {{u"DELETE_ORIGINAL", u""}}}, Scratch(u"Package\\gone.txt"), u""},  // nothing left to read
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.written.ToUtf8());
        ASSERT_TRUE(Install(PackageXml(u"NONE", {c.entry})));
        EXPECT_EQ(tltest::ReadFileBytes(c.written), c.expected.ToUtf8());
    }
    // Copies into Windows' folders are noted for the uninstaller; one that was there is noted as
    // replaced, which keeps a system file that was there before.
    EXPECT_TRUE(Noted(EntryKind::kCreatedFile, system + u"\\tltest_package.dat"));
    ASSERT_TRUE(Install(PackageXml(u"NONE", {cases[0].entry})));
    EXPECT_TRUE(Noted(EntryKind::kReplacedFile, system + u"\\tltest_package.dat"));
    for (const Case& c : cases) DeleteFileW(c.written.wc());

    // Started without its command line, and not waited for.
    ASSERT_TRUE(Install(PackageXml(u"NONE", {{u"Echo.exe", {{u"EXECUTE", u"DONTWAIT"}}}})));
    for (int i = 0; i < 300 && tltest::ReadFileBytes(echoed).empty(); ++i) Sleep(50);
    EXPECT_EQ(tltest::ReadFileBytes(echoed), "\r\n");

    ASSERT_TRUE(Install(PackageXml(u"NONE", {{u"TestComServer.dll", {{u"REGISTER", u""}}}})));
    TLString registered_path;
    EXPECT_TRUE(tltest::ReadRegistryString(HKEY_CURRENT_USER, tltest::kComServerKey, tltest::kComServerPathValue,
                                           &registered_path));
    EXPECT_TRUE(registered_path.EqualsNoCase(server)) << registered_path.ToUtf8();
    EXPECT_EQ(signal.data()[0], 0);
}

TEST_F(PackageInstallTest, AFailingActionShowsItsMessageThenThePackageFailure) {
    Write(u"Package\\vis.dll", "dll");
    Write(u"Package\\Night\\main.xml", "x");
    Write(u"Product\\Plugins\\vis.dll", "held");
    const TLString held = Product(u"Plugins\\vis.dll");
    HANDLE holder = CreateFileW(held.wc(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    const TLString missing = Scratch(u"Package\\missing.exe");
    struct Case {
        Entry entry;
        TLString message;  // the start of the action's message
    };
    const Case cases[] = {
        {{u"vis.dll", {{u"COPY_PLUGINDIR", u""}}}, u"Destination file is in use.\r\n" + held},
        {{u"Night", {{u"COPY_DIRECTORY", u"..\\..\\Escaped"}}}, u"Failed to move folder. Error: "},
        {{u"missing.exe", {{u"EXECUTE", u""}}}, u"Failed to start process.\r\n" + missing + u"\r\nError: "},
        {{u"missing.exe", {{u"EXECUTE", u"/S"}}}, u"Failed to start process.\r\n" + missing + u" /S\r\nError: "},
        {{u"vis.dll", {{u"REGISTER", u""}}}, u"Failed to register object.\r\n" + Scratch(u"Package\\vis.dll")},
        {{u"vis.dll", {{u"INSTALL", u""}}},
         u"Failed to install using Package Installer.\r\nParameters: /Q /Install \"" + Scratch(u"Package\\vis.dll") +
             u"\"\r\nError: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.ToUtf8());
        prompts.asked.clear();
        signal.data()[0] = 0;
        EXPECT_FALSE(Install(PackageXml(u"NONE", {c.entry})));
        ASSERT_EQ(prompts.asked.size(), 3u);  // the question, the action's message, the package's failure
        EXPECT_TRUE(prompts.asked[1].text.StartsWith(c.message)) << prompts.asked[1].text.ToUtf8();
        EXPECT_EQ(prompts.asked[2].title, u"Information");
        EXPECT_EQ(prompts.asked[2].text, u"Failed to install package.\r\n\r\nMore Info: " + prompts.asked[1].text +
                                             u"\r\nURL: http://example.com/night");
        EXPECT_EQ(signal.data()[0], 1);
    }
    CloseHandle(holder);
    EXPECT_EQ(tltest::ReadFileBytes(held), "held");
    EXPECT_FALSE(tltest::FileExists(Scratch(u"Escaped")));
}

TEST_F(PackageInstallTest, RegistryLinesNeedFourFields) {
    const TLString key = TLString(tltest::kProductSettingsKey) + u"\\[NameWithVersion]\\Package";
    const TLString written = TLString(tltest::kProductSettingsKey) + u"\\Tonehall.27\\Package";
    Write(u"Package\\any.txt", "");
    ASSERT_TRUE(Install(PackageXml(
        u"NONE", {{u"any.txt",
                   {{u"REGISTRY", u"HKEY_CURRENT_USER|" + key + u"|Short"},
                    {u"REGISTRY", u"HKEY_NOWHERE|" + key + u"|Root|x"},
                    {u"REGISTRY", u"HKEY_CURRENT_USER|" + key + u"|Path|[PROGRAMPATH]Plugins|<PROGRAMPATH>"}}}})));
    TLString value;
    EXPECT_TRUE(Noted(EntryKind::kRegistryValue, written));
    EXPECT_FALSE(tltest::ReadRegistryString(HKEY_CURRENT_USER, written, u"Short", &value));
    EXPECT_FALSE(tltest::ReadRegistryString(HKEY_CURRENT_USER, written, u"Root", &value));
    ASSERT_TRUE(tltest::ReadRegistryString(HKEY_CURRENT_USER, written, u"Path", &value));
    EXPECT_EQ(value, Product(u"Plugins|") + Product(u""));
}

TEST_F(PackageInstallTest, UnzipdirKeepsFoldersOnlyWithSaveDirStruct) {
    Write(u"Package\\content.zip", tltest::BuildZipText({{"docs/readme.txt", "read me"}}));
    for (bool keep : {false, true}) {
        SCOPED_TRACE(keep);
        tltest::DeleteTree(Product(u"Help"));
        const TLString actions = keep ? u"UNZIPDIR|SAVE_DIR_STRUCT|DONT_CLEANUP" : u"UNZIPDIR|DONT_CLEANUP";
        const char16_t* file = keep ? u"docs\\readme.txt" : u"readme.txt";
        ASSERT_TRUE(Install(PackageXml(actions, {{u"content.zip", {}}, {file, {{u"COPY_HELPDIR", u""}}}})));
        EXPECT_EQ(tltest::ReadFileBytes(Product(u"Help\\readme.txt")), "read me");
        const TLString unpacked = Scratch(keep ? u"Work\\night.qvp (2).files\\Unpacked\\docs\\readme.txt"
                                               : u"Work\\night.qvp.files\\Unpacked\\readme.txt");
        EXPECT_TRUE(tltest::FileExists(unpacked)) << unpacked.ToUtf8();
    }
}

TEST_F(PackageInstallTest, AnUnsafeArchiveFailsThePackageAndChangesNothingOutside) {
    Write(u"Package\\content.zip", tltest::BuildZipText({{"fine.txt", "fine"}, {"..\\..\\evil.dll", "evil"}}));
    EXPECT_FALSE(Install(PackageXml(u"UNZIPDIR|SAVE_DIR_STRUCT", {{u"content.zip", {}}})));
    ASSERT_GE(prompts.asked.size(), 2u);
    EXPECT_EQ(prompts.asked[prompts.asked.size() - 2].text,
              u"Failed to unzip file '" + Scratch(u"Package\\content.zip") + u"'.");
    EXPECT_FALSE(tltest::FileExists(Scratch(u"evil.dll")));
    EXPECT_FALSE(tltest::FileExists(Scratch(u"Work\\evil.dll")));
}

TEST_F(PackageInstallTest, DownloadedFilesGoUnlessThePackageSaysDontCleanup) {
    FakeDownloader downloader;
    downloader.files.push_back({u"http://example.com/vis.dll", "downloaded"});
    for (bool keep : {false, true}) {
        SCOPED_TRACE(keep);
        ASSERT_TRUE(Install(PackageXml(keep ? u"DONT_CLEANUP" : u"NONE",
                                       {{u"http://example.com/vis.dll", {{u"COPY_PLUGINDIR", u""}}}}),
                            &downloader));
        EXPECT_EQ(tltest::ReadFileBytes(Product(u"Plugins\\vis.dll")), "downloaded");
        EXPECT_EQ(tltest::FileExists(Scratch(u"Work\\night.qvp.files\\vis.dll")), keep);
    }
    // Without a way to download, the package fails with the address it could not fetch.
    EXPECT_FALSE(Install(PackageXml(u"NONE", {{u"http://example.com/vis.dll", {{u"COPY_PLUGINDIR", u""}}}})));
    EXPECT_EQ(LastMessage(), u"Failed to install package.\r\n\r\nMore Info: Failed to download file "
                             u"'http://example.com/vis.dll'.\r\nURL: http://example.com/night");
}

TEST_F(PackageInstallTest, IniPackageStopsAtTheFirstMissingFileNumber) {
    Write(u"Package\\one.dll", "one");
    Write(u"Package\\three.dll", "three");
    Write(u"Package\\night.ini",
          "[Package]\r\nAction=NONE\r\n[Action]\r\nFile1=one.dll\r\nFile1Action1=COPY_PLUGINDIR\r\n"
          "File3=three.dll\r\nFile3Action1=COPY_PLUGINDIR\r\n");
    package::CInstallPackage installer(target, prompts, notes);
    ASSERT_TRUE(installer.Install(Scratch(u"Package\\night.ini")));
    EXPECT_TRUE(tltest::FileExists(Product(u"Plugins\\one.dll")));
    EXPECT_FALSE(tltest::FileExists(Product(u"Plugins\\three.dll")));
    EXPECT_EQ(prompts.asked.size(), 1u);  // it has file actions: asked once
}

TEST_F(PackageInstallTest, SkinsGoToTheFolderTheirMainXmlNames) {
    struct Case {
        const char* main_xml;
        const char16_t* folder;
    };
    const Case cases[] = {{"<QVMS name=\"Blue Night\"/>", u"Skins\\Standard View\\Blue Night\\"},
                          {"<QVFS/>", u"Skins\\Lounge View\\Night Pack\\"}};
    for (const Case& c : cases) {
        Write(u"Package\\skin.zip", tltest::BuildZipText({{"main.xml", c.main_xml}, {"images/a.png", "png"}}));
        ASSERT_TRUE(Install(PackageXml(u"INSTALLSKIN|SAVE_DIR_STRUCT", {{u"skin.zip", {}}})));
        EXPECT_EQ(tltest::ReadFileBytes(Product(c.folder) + u"images\\a.png"), "png");
    }
    // Each folder made on the way is noted for the uninstaller.
    for (const char16_t* folder : {u"Skins\\", u"Skins\\Standard View\\", u"Skins\\Lounge View\\"})
        EXPECT_TRUE(Noted(EntryKind::kCreatedFolder, Product(folder))) << TLString(folder).ToUtf8();
    Write(u"Package\\skin.zip", tltest::BuildZipText({{"main.xml", "<QVMS name=\"..\\..\\Escaped\"/>"}}));
    EXPECT_FALSE(Install(PackageXml(u"INSTALLSKIN", {{u"skin.zip", {}}})));
    EXPECT_EQ(prompts.asked[prompts.asked.size() - 2].text, u"INSTALLSKIN action failed.");
    EXPECT_FALSE(tltest::FileExists(Scratch(u"Escaped")));
}

// The commands that reach the running product: the sample main program logs every command line it
// receives through its window and its closing.
class RunningProductTest : public PackageInstallTest {
protected:
    RunningProductTest() {
        target.main_program = Scratch(u"Tunevault\\Tonehall.exe");
        Write(u"Package\\song.mp3", "song");
    }
    ~RunningProductTest() override {
        if (Product()->IsRunning()) Product()->Close(10000);
    }
    static tltools::IRunningProduct* Product() { return tools::Interface()->GetRunningProduct(1); }
    // Waits until the product's window is there and returns the id of its process (0 when it never came).
    static DWORD WaitForProduct() {
        for (int i = 0; i < 300 && !Product()->IsRunning(); ++i) Sleep(50);
        DWORD id = 0;
        if (HWND window = FindWindowW(L"QVFrame", nullptr)) GetWindowThreadProcessId(window, &id);
        return id;
    }
    bool Received(DWORD product, std::u16string_view text) const {
        return tltest::LogContains(product, u"Tonehall.exe: " + TLString(text), log_start);
    }

    uint64_t log_start = tltest::LogFileSize();
};

TEST_F(RunningProductTest, CommandLinesAndThePluginReloadReachTheProduct) {
    ASSERT_TRUE(CopyFileW(tltest::BuildPath(u"tests/package/in_night.dll").wc(), Scratch(u"Package\\in_night.dll").wc(),
                          FALSE));
    tltest::StartedProgram started(target.main_program, u"");
    const DWORD product = WaitForProduct();
    ASSERT_NE(product, 0u);
    const TLString song = Scratch(u"Package\\song.mp3");
    struct Case {
        const char16_t* package_actions;
        Entry entry;
        TLString received;
    };
    const Case cases[] = {
        {u"INSTALLMEDIA", {u"song.mp3", {}}, u"Received /Add \"" + song + u"\""},
        {u"PREVIEWMEDIA", {u"song.mp3", {}}, u"Received /Preview \"" + song + u"\""},
        {u"NONE", {u"song.mp3", {{u"UPDATE_SERVICELIST", u""}}}, u"Received /ServiceUpdate"},
        // A registered plug-in is picked up by the product at once.
        {u"NONE", {u"in_night.dll", {{u"REG_WA_IN", u""}}}, u"Received /ReloadPlugins"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.received.ToUtf8());
        ASSERT_TRUE(Install(PackageXml(c.package_actions, {c.entry})));
        EXPECT_TRUE(Received(product, c.received));
    }
    EXPECT_EQ(signal.data()[0], 0);
}

TEST_F(RunningProductTest, TheProductIsClosedStartedAndRestartedWhenThePersonAgrees) {
    const auto product_command = [](const char16_t* command) {
        return PackageXml(u"NONE", {{u"song.mp3", {{command, u""}}}});
    };
    tltest::StartedProgram started(target.main_program, u"");
    const DWORD first = WaitForProduct();
    ASSERT_NE(first, 0u);
    ASSERT_TRUE(Install(product_command(u"CLOSE_MC")));
    EXPECT_TRUE(Received(first, u"Closing (WM_CLOSE"));
    EXPECT_FALSE(Product()->IsRunning());

    ASSERT_TRUE(Install(product_command(u"START_MC")));
    const DWORD second = WaitForProduct();
    ASSERT_NE(second, 0u);

    const TLString question =
        u"Tonehall must be restarted to complete installation of the package.\r\n\r\nDo you want to restart it now?";
    const int yes = tltools::IMessageService::kResultYes;
    const int no = tltools::IMessageService::kResultNo;
    prompts.asked.clear();
    prompts.answers = {yes, no};  // the package's own question, then the restart
    ASSERT_TRUE(Install(product_command(u"RESTART_MC")));
    ASSERT_EQ(prompts.asked.size(), 2u);
    EXPECT_EQ(prompts.asked[1].title, u"Confirm Action");
    EXPECT_EQ(prompts.asked[1].text, question);
    EXPECT_FALSE(Received(second, u"Closing"));

    prompts.answers = {yes, yes};
    ASSERT_TRUE(Install(product_command(u"RESTART_MC")));
    EXPECT_TRUE(Received(second, u"Closing (WM_CLOSE"));
    const DWORD third = WaitForProduct();
    EXPECT_NE(third, 0u);
    EXPECT_NE(third, second);

    // Nothing to restart: no question beyond the package's own.
    ASSERT_TRUE(Product()->Close(10000));
    prompts.asked.clear();
    ASSERT_TRUE(Install(product_command(u"RESTART_MC")));
    EXPECT_EQ(prompts.asked.size(), 1u);
    EXPECT_FALSE(Product()->IsRunning());
}

}  // namespace
