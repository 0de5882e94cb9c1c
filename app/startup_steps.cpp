#include "app/startup_steps.h"

#include <iterator>

#include "core/process/tl_process_info_block.h"
#include "core/tools/message_service_prompts.h"
#include "core/tools/product_settings.h"
#include "core/tools/scoped_trace.h"
#include "core/tools/tools.h"
#include "core/windows/file_operations.h"
#include "core/windows/file_version.h"
#include "core/windows/module_path.h"
#include "core/windows/system_message.h"
#include "engine/context/install_context.h"
#include "engine/pending/pending_operations.h"
#include "wizard/install_wizard.h"

namespace startup {
namespace {

constexpr const char16_t* kVirtualStoreKeys[] = {
    u"Software\\Classes\\VirtualStore\\Machine\\Software",
    u"Software\\Classes\\VirtualStore\\Machine\\Software\\Wow6432Node",
};

// The last piece of the user's stored skin value ("Folder\File.skin"), when it has at least two.
TLString StoredSkinFileName(const TLString& stored) {
    TLString value = stored;
    if (value.Last() == u'\\') value.Truncate(value.length() - 1);
    const size_t slash = value.ReverseFind(u'\\');
    if (slash == TLString::npos) return TLString();
    return value.Mid(slash + 1);
}

// Tells the person and the log that the install wizard could not start, and why.
void ReportWizardNotStarted(DWORD error, tools::IInstallPrompts& prompts) {
    const TLString cause = WizardStartCause(error);
    tools::LogFormat(u"RunWizard", u"The install wizard could not start: %s (error %d): nothing was installed", cause,
                     static_cast<int>(error));
    const TLString what = TLString::Format(tools::Translate(u"The install wizard could not start: %s (error %d).\r\n\r\n"),
                                           cause, static_cast<int>(error));
    tools::Prompt prompt;
    prompt.title = tools::Translate(u"Install Error");
    prompt.text = what + tools::Translate(u"Nothing has been installed. Please start the installer again.");
    prompts.Ask(prompt);
}

}  // namespace

// Windows refuses a top-level window without naming any error when it has no display to put it on
// (a session without a desktop, or, under Wine, an X display that cannot be reached).
TLString WizardStartCause(DWORD error) {
    if (error == ERROR_SUCCESS)
        return tools::Translate(u"Windows refused to make its window without giving a reason, which happens "
                                u"when no display is available to the program");
    TLString words = tlwin::SystemMessage(error);
    while (words.Last() == u'.') words.Truncate(words.length() - 1);
    return words;
}

VirtualStoreKeys ClearVirtualStore() {
    VirtualStoreKeys opened;
    for (size_t i = 0; i < std::size(kVirtualStoreKeys); ++i) {
        opened.keys[i] = tlwin::RegistryKey::Open(HKEY_CURRENT_USER, kVirtualStoreKeys[i], KEY_READ | KEY_WRITE);
        // A virtualised copy always holds the product's keys below it, which RegDeleteKeyW would refuse
        // to delete; the whole tree goes.
        if (opened.keys[i].IsOpen()) tlwin::DeleteKeyTree(opened.keys[i].handle(), u"C. Orvane");
    }
    return opened;
}

void LogSetupVersion() {
    const TLString version = tlwin::FileVersionText(tlwin::ModulePath());
    if (!version.empty()) tools::LogFormat(u"LogSetupVersion", u"Setup version %s", version);
}

void ChooseSkin(const TLString& executable_folder) {
    TLScopedTrace trace(u"ChooseSkin");
    tltools::ToolsInterface* tools = tools::Interface();
    if (!tools) return;
    if (tltools::ISkinService* skin = tools->GetSkinService(1)) {
        skin->SetTitleBarImage(u"Titlebar Icon");
        const TLString skin_folder = executable_folder + u"Tunevault\\Skins\\Standard View\\";
        TLString file_name = ReadProductSetting(ProductSetting::kMegaSkin, tools::ProductInfo()).text;
        const TLString skin_key = ReadProductSetting(ProductSetting::kMegaSkinKey, tools::ProductInfo()).text;
        const TLString stored = tools::OpenSettingsSection(u"Properties").GetString(skin_key, TLString());
        const TLString user_choice = StoredSkinFileName(stored);
        if (!user_choice.empty() && skin->IsValidSkinFile(skin_folder + user_choice)) file_name = user_choice;
        skin->SetSkinFile(skin_folder + file_name);
    }
    if (ReadProductSetting(ProductSetting::kShowLanguageSelection, tools::ProductInfo()).number != 0) {
        if (tltools::ITranslator* translator = tools->GetTranslator(1)) translator->ShowLanguageSelection(nullptr);
    }
}

bool ChecksOverriddenByKeyboard() {
    return GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_SHIFT) < 0 && GetKeyState('F') < 0;
}

void PlaceLauncher(const TLString& executable_folder, const TLString& launcher_name) {
    TLScopedTrace trace(u"PlaceLauncher");
    const TLString folder = executable_folder + u"System\\Always Overwrite\\";
    tlwin::MoveFileTo(folder + u"Tone Core Launcher.exe", folder + launcher_name);
    if (!tlwin::CopyFileTo(folder + launcher_name, executable_folder + u"Tunevault\\" + launcher_name, true))
        tools::LogFormat(u"PlaceLauncher",
                         u"The launcher could not be put among the distribution's program files (error %d); "
                         u"the copy phase copies it into the destination",
                         static_cast<int>(GetLastError()));
}

RunOutcome RunWizard(InstallSession& session, const TLString& folder) {
    TLScopedTrace trace(u"RunWizard");
    // The questions of the steps are the wizard's message boxes, unless nobody is there to answer.
    tools::MessageServicePrompts boxes;
    tools::SafeAnswerPrompts safe_answers;
    tools::IInstallPrompts& prompts =
        session.NoMessageBoxes ? static_cast<tools::IInstallPrompts&>(safe_answers) : boxes;
    engine::InstallContext context{.session = session,
                                   .source_folder = folder,
                                   .product_info = tools::ProductInfo(),
                                   .process_block = TLProcessInfoBlock::Get(),
                                   .pending = engine::ProcessPendingOperations(),
                                   .prompts = prompts};
    CInstallWizard wizard(context);
    wizard.OwnMessageBoxes(boxes);
    const int result = wizard.RunModal();
    if (result == TLWizardPopupWnd::kNotCreated) {
        ReportWizardNotStarted(wizard.creation_error(), prompts);
        context.outcome.Fail(u"the install wizard could not start");
        return context.outcome;
    }
    tools::LogFormat(u"RunWizard", u"The wizard ended with result %d", result);
    if (result != TLWizardPopupWnd::kFinished) context.outcome.Cancel(u"the install was cancelled");
    return context.outcome;
}

}  // namespace startup
