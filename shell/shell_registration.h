#pragma once
// CShellRegistration: one round of shell registration. Its user marks what the round shall do;
// ending it writes the registry template table, associates the chosen file types, registers the
// product's MIME types and URL protocols and the media client, and tells Explorer that
// associations changed.

#include "core/string/tl_string_array.h"
#include "core/tools/install_prompts.h"
#include "shell/associations/association_registration.h"
#include "shell/registry/registry_roots.h"
#include "shell/templates/template_lines.h"

namespace shell {

class CShellRegistration {
public:
    // The texts come from the product information; `install_folder` is the product's program folder.
    CShellRegistration(const TLString& install_folder, tools::IInstallPrompts& prompts,
                       const RegistryRoots& roots = {});
    ~CShellRegistration() { End(); }
    CShellRegistration(const CShellRegistration&) = delete;
    CShellRegistration& operator=(const CShellRegistration&) = delete;

    void SetApply(bool apply) { apply_ = apply; }
    void SetNotify(bool notify) { notify_ = notify; }
    // The file types ("mp3" or ".mp3") to point at the product.
    void SetFileTypes(TLStringArray types) { file_types_ = std::move(types); }
    void SetSpecialExtension(const TLString& extension) { texts_.special_extension = extension; }

    // Does what was marked, once; later calls and the destructor do nothing more.
    void End();

    const TemplatePlaceholders& placeholders() const { return placeholders_; }
    // The full path of an art file of the product, or the name when no resource folder holds it.
    TLString FindArt(const TLString& name) const;

private:
    void RegisterAssociations();

    tools::IInstallPrompts& prompts_;
    RegistryRoots roots_;
    TemplatePlaceholders placeholders_;
    AssociationTexts texts_;
    TLStringArray file_types_;
    bool apply_ = false;
    bool notify_ = false;
    bool ended_ = false;
};

// "Tonehall 27 Pro" and "27.0.0.1" give "Tonehall27Pro.27": the ProgIDs' common start.
TLString ProductWithVersion(const TLString& product_name, const TLString& version_text);

}  // namespace shell
