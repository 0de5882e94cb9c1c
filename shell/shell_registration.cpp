#include "shell/shell_registration.h"

#include <shlobj.h>

#include "core/tools/scoped_trace.h"
#include "core/tools/tools.h"
#include "core/windows/module_path.h"
#include "shell/associations/file_association_database.h"
#include "shell/media_client/media_client_registration.h"
#include "shell/resources/product_art.h"
#include "shell/templates/template_applier.h"
#include "shell/templates/template_table.h"

namespace shell {
namespace {

TLString SystemFolder() {
    wchar_t path[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(path, MAX_PATH);
    return TLString(reinterpret_cast<const char16_t*>(path), length < MAX_PATH ? length : 0);
}

}  // namespace

TLString ProductWithVersion(const TLString& product_name, const TLString& version_text) {
    TLString joined = product_name;
    joined.Replace(u" ", u"");
    const size_t dot = version_text.Find(u'.');
    return joined + u"." + (dot == TLString::npos ? version_text : version_text.Left(dot));
}

CShellRegistration::CShellRegistration(const TLString& install_folder, tools::IInstallPrompts& prompts,
                                       const RegistryRoots& roots)
    : prompts_(prompts), roots_(roots) {
    tltools::IProductInfo* info = tools::ProductInfo();
    TemplatePlaceholders& p = placeholders_;
    p.install_folder = install_folder;
    p.install_folder.EnsureTrailingBackslash();
    p.system_folder = SystemFolder();
    p.current_folder = tlwin::ModuleFolder();
    p.product_name = tools::ProductItem(1);
    p.product_with_version = ProductWithVersion(p.product_name, info ? info->GetVersionText() : TLString());
    p.exe_path = p.install_folder + tools::MainProgramFileName();
    p.launcher_name = tools::LauncherFileName();
    if (!p.launcher_name.empty()) p.launcher_path = p.install_folder + p.launcher_name;
    texts_.product_with_version = p.product_with_version;
    texts_.launcher_path = p.launcher_path;
}

TLString CShellRegistration::FindArt(const TLString& name) const {
    const TLString path = FindProductArt(placeholders_.install_folder, name);
    return path.empty() ? name : path;
}

void CShellRegistration::End() {
    if (ended_) return;
    ended_ = true;
    TLScopedTrace trace(u"CShellRegistration::End");
    if (apply_) {
        ApplyTemplateLines(BuildTemplateTable(!placeholders_.launcher_path.empty()), placeholders_,
                           [this](const TLString& name) { return FindArt(name); }, roots_);
        RegisterAssociations();
    }
    if (notify_) SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

// A missing or broken association file is reported, and only the work that needs it is left out:
// the product's own registration above and the protocols still stand.
void CShellRegistration::RegisterAssociations() {
    FileAssociationDatabase& database = FileAssociationDatabase::Get();
    const bool loaded = database.Load(placeholders_.install_folder);
    if (!loaded) prompts_.Ask(FileAssociationsFailurePrompt(database.Path()));
    const FileAssociationData data = database.Data();
    tltools::IProductInfo* info = tools::ProductInfo();
    if (loaded) RegisterFileTypes(file_types_, data, texts_, roots_);
    for (const TLString& mime_type : TLStringArray::FromList(info ? info->GetMimeTypes() : TLString()))
        RegisterMimeType(mime_type, texts_.special_extension, data, roots_);
    RegisterProtocols(TLStringArray::FromList(info ? info->GetUrlProtocols() : TLString()), texts_.launcher_path,
                      roots_);
    if (!loaded) return;
    MediaClient client;
    client.name = tools::ProductItem(5);
    client.exe_path = placeholders_.exe_path;
    client.icon_path = FindArt(u"Application.ico");
    for (const TLString& type : data.List(FileTypeList::kDefaultFileTypes)) {
        const TLString extension = ExtensionOf(type);
        client.file_types.emplace_back(extension, ProgIdForExtension(extension, texts_.product_with_version,
                                                                     texts_.special_extension));
    }
    RegisterMediaClient(client, roots_);
}

}  // namespace shell
