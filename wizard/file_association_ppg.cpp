#include "wizard/file_association_ppg.h"

#include "core/process/tl_process_info_block.h"
#include "core/tools/tools.h"
#include "engine/filesystem/tl_file_system.h"
#include "engine/process/run_program.h"
#include "shell/associations/file_association_database.h"
#include "wizard/control_ids.h"
#include "wizard/install_wizard.h"
#include "wizard/rules/skip_rules.h"

namespace {

constexpr char16_t kSelectedTypes[] = u"File Associations - Selected Media Types";

}  // namespace

CFileAssociationPpg::CFileAssociationPpg(CInstallWizard& wizard)
    : CWizardPropertyPage(wizard, wizard_rules::Page::kFileAssociation) {
    selection_ = wizard_rules::ReadRememberedSelection(
        tools::OpenSettingsSection(u"Properties").GetString(kSelectedTypes, u"NONE"));
}

bool CFileAssociationPpg::WantsSkip() { return wizard_rules::FileAssociationWantsSkip(session()); }

// The product is installed by now: its own association file says what it offers.
void CFileAssociationPpg::InitPage() {
    shell::FileAssociationDatabase& database = shell::FileAssociationDatabase::Get();
    database.Load(session().DestinationFolder());
    data_ = database.Data();
    if (wizard_rules::ProposesDefaults(selection_.remembered, session().NoAssociations, session().PortableMode))
        selection_.types = data_.List(shell::FileTypeList::kDefaultAssocFileTypes);
}

void CFileAssociationPpg::CreateControls() {
    list_.Create(*this, wizard_ids::kAssociationList, {20, 0, 480, 236});
    shown_.Clear();
    for (const wizard_rules::AssociationGroup& group : wizard_rules::BuildAssociationGroups(data_)) {
        list_.AddGroup(tools::Translate(group.name));
        for (const TLString& type : group.types) {
            list_.AddItem(type, selection_.types.Find(type, true) != TLString::npos);
            shown_.Add(type);
        }
    }
    select_all_.Create(*this, wizard_ids::kSelectAllButton, {20, 248, 170, 274}, tools::Translate(u"Select All"));
    unselect_all_.Create(*this, wizard_ids::kUnselectAllButton, {175, 248, 325, 274},
                         tools::Translate(u"Unselect All"));
    select_default_.Create(*this, wizard_ids::kSelectDefaultButton, {330, 248, 480, 274},
                           tools::Translate(u"Select Default"));
    if (wizard_rules::ProposesDefaults(selection_.remembered, session().NoAssociations, session().PortableMode))
        SelectDefault();
}

void CFileAssociationPpg::SelectDefault() {
    const TLStringArray& defaults = data_.List(shell::FileTypeList::kDefaultAssocFileTypes);
    for (int index = 0; index < list_.ItemCount(); ++index)
        list_.SetChecked(index, defaults.Find(list_.ItemText(index), true) != TLString::npos);
}

void CFileAssociationPpg::OnCommand(int id, int code) {
    if (code != BN_CLICKED) return;
    if (id == wizard_ids::kSelectDefaultButton) {
        SelectDefault();
    } else if (id == wizard_ids::kSelectAllButton || id == wizard_ids::kUnselectAllButton) {
        for (int index = 0; index < list_.ItemCount(); ++index)
            list_.SetChecked(index, id == wizard_ids::kSelectAllButton);
    }
}

bool CFileAssociationPpg::OnLeaveNext() {
    if (!WantsSkip()) {
        TLStringArray ticked;
        for (int index = 0; index < list_.ItemCount(); ++index)
            if (list_.IsChecked(index)) ticked.Add(list_.ItemText(index));
        selection_.types = wizard_rules::CollectSelection(selection_.types, shown_, ticked);
        tools::OpenSettingsSection(u"Properties").SetInteger(u"File Associations - Set", 1);
    }
    return ApplyPage();
}

// The installed product's package installer does the registration, with the product's own code, as
// it does when the person changes the choice in the product later.
bool CFileAssociationPpg::ApplyPage() {
    tools::OpenSettingsSection(u"Properties").SetString(kSelectedTypes, shell::JoinTypeList(selection_.types));
    const TLString installer = session().DestinationFolder() + u"PackageInstaller.exe";
    if (TLFileSystem::FileExists(installer))
        tlproc::RunWithParameter(installer, u"/RegFileAssociations", true, true, nullptr, 0);
    else
        tools::LogFormat(u"CFileAssociationPpg::ApplyPage", u"\"%s\" is not there: nothing registered", installer);
    return true;
}
