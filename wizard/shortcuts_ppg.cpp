#include "wizard/shortcuts_ppg.h"

#include <shlobj.h>

#include "core/process/tl_process_info_block.h"
#include "core/system/os_info.h"
#include "core/tools/tools.h"
#include "engine/journal/journal.h"
#include "engine/journal/record_notes.h"
#include "shell/resources/product_art.h"
#include "shell/shortcuts/product_shortcuts.h"
#include "wizard/control_ids.h"
#include "wizard/install_wizard.h"
#include "wizard/rules/skip_rules.h"

namespace {

constexpr char16_t kStartMenuVersion[] = u"Start Menu Version";

int64_t InstallingVersion() {
    tltools::IProductInfo* info = tools::ProductInfo();
    return info ? info->GetVersionText().ToInt64() : 0;
}

TLString SpecialFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return TLString();
    return TLString(reinterpret_cast<const char16_t*>(path));
}

TLString QuickLaunchFolder() {
    TLProcessInfoBlock* block = TLProcessInfoBlock::Get();
    TLString folder = block ? block->GetString(TLProcessInfoBlock::kAppDataFolder) : TLString();
    if (folder.empty()) return folder;
    return folder.EnsureTrailingBackslash() + u"Microsoft\\Internet Explorer\\Quick Launch\\";
}

shell::ShortcutProduct ShortcutProductOf(const TLString& destination) {
    shell::ShortcutProduct product;
    product.destination_folder = destination;
    product.main_program = tools::MainProgramFileName();
    product.product_name = tools::ProductItem(1);
    product.media_server_name = tools::Translate(u"Media Server");
    product.uninstall_prefix = tools::Translate(u"Uninstall ");
    product.find_art = [destination](const TLString& name) { return shell::FindProductArt(destination, name); };
    return product;
}

}  // namespace

bool CShortcutsPpg::WantsSkip() { return wizard_rules::ShortcutsWantsSkip(session()); }

void CShortcutsPpg::InitPage() {
    wizard_rules::ShortcutFacts facts;
    facts.this_version_installed = session().ExistingInstallationFound;
    facts.portable = session().PortableMode;
    facts.express = session().ExpressMode;
    facts.stored_start_menu_version = tools::OpenSettingsSection(u"Installer").GetInteger(kStartMenuVersion, -1);
    facts.installing_version = InstallingVersion();
    choices_ = wizard_rules::ProposeShortcuts(facts);
}

void CShortcutsPpg::CreateControls() {
    label_.Create(*this, wizard_ids::kShortcutsLabel, {20, 24, 480, 64},
                  tools::Translate(u"Install Wizard is now ready to install shortcuts. Please select from the "
                                   u"following options"));
    start_menu_.Create(*this, wizard_ids::kStartMenuCheck, {20, 76, 480, 96},
                       tools::Translate(u"Create Start Menu shortcuts"), choices_.start_menu);
    desktop_.Create(*this, wizard_ids::kDesktopCheck, {20, 104, 480, 124},
                    tools::Translate(u"Create a desktop shortcut"), choices_.desktop);
    if (wizard_rules::QuickLaunchOffered(syschecks::GetOsInfo().code))
        quick_launch_.Create(*this, wizard_ids::kQuickLaunchCheck, {20, 132, 480, 152},
                             tools::Translate(u"Create a Quick Launch shortcut"), choices_.quick_launch);
}

bool CShortcutsPpg::OnLeaveNext() {
    if (!WantsSkip()) {
        choices_.start_menu = start_menu_.hwnd() && start_menu_.IsChecked();
        choices_.desktop = desktop_.hwnd() && desktop_.IsChecked();
        choices_.quick_launch = quick_launch_.hwnd() && quick_launch_.IsChecked();
        tools::OpenSettingsSection(u"Installer").SetInteger(u"Create Start Menu", choices_.start_menu ? 1 : 0);
    }
    return ApplyPage();
}

// The install has ended by now: the shortcuts join its record for the uninstaller.
bool CShortcutsPpg::ApplyPage() {
    if (session().PortableMode) return true;
    const shell::ShortcutProduct product = ShortcutProductOf(session().DestinationFolder());
    journal::CRecordNotes notes;
    if (choices_.start_menu) {
        tools::OpenSettingsSection(u"Installer").SetInteger(kStartMenuVersion, InstallingVersion());
        tltools::IProductInfo* info = tools::ProductInfo();
        shell::CreateStartMenuShortcuts(product, SpecialFolder(CSIDL_COMMON_PROGRAMS),
                                        info ? info->GetStartMenuFolder() : TLString(), notes);
    }
    if (choices_.quick_launch) shell::CreateProductShortcut(product, QuickLaunchFolder(), notes);
    if (choices_.desktop) shell::CreateProductShortcut(product, SpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY), notes);
    notes.AddTo(product.destination_folder + journal::kInstallRecordName);
    return true;
}
