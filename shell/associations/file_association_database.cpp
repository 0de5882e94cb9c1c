#include "shell/associations/file_association_database.h"

#include "core/tools/tools.h"
#include "core/windows/file_attributes.h"
#include "core/windows/registry.h"
#include "core/xml/file_text.h"
#include "engine/uninstall/uninstall_values.h"

namespace shell {
namespace {

// Where installed input plug-ins record their file types: one subkey per type. The second is the
// place older installations used.
constexpr const char16_t* kPluginKeys[] = {u"Software\\C. Orvane\\Tonehall 27\\Plugins\\Input",
                                           u"SOFTWARE\\C. Orvane\\Tunevault\\Plugins\\Input"};

std::vector<InputPluginRecord> ReadInputPlugins() {
    std::vector<InputPluginRecord> plugins;
    for (const char16_t* path : kPluginKeys) {
        const tlwin::RegistryKey key = tlwin::RegistryKey::Open(HKEY_CURRENT_USER, path);
        for (const TLString& type : key.SubkeyNames()) {
            const tlwin::RegistryKey record = tlwin::RegistryKey::Open(key.handle(), type);
            InputPluginRecord plugin;
            plugin.type = type;
            record.ReadString(u"Name", &plugin.name);
            record.ReadString(u"File Description", &plugin.file_description);
            DWORD version = 0;
            if (record.ReadDword(u"IVersion", &version)) plugin.interface_version = version;
            plugins.push_back(std::move(plugin));
        }
    }
    return plugins;
}

// The lists a product may leave out, with the product information question that keeps them.
bool Withheld(FileTypeList list) {
    switch (list) {
        case FileTypeList::kImage:
            return !tools::ProductFeature(18);
        case FileTypeList::kVideo:
            return !tools::ProductFeature(19);
        case FileTypeList::kData:
            return !tools::ProductFeature(20);
        case FileTypeList::kUnknown:
            return !tools::ProductFeature(2);
        default:
            return false;
    }
}

}  // namespace

FileAssociationDatabase& FileAssociationDatabase::Get() {
    static FileAssociationDatabase database;
    return database;
}

TLString FindFileAssociationsFile(const TLString& program_folder) {
    TLString folder = program_folder;
    folder.EnsureTrailingBackslash();
    return engine::FindProductResource(folder, u"FileAssociations.xml",
                                       [](const TLString& path) { return tlwin::FileExists(path); });
}

bool FileAssociationDatabase::Load(const TLString& program_folder) {
    std::lock_guard guard(lock_);
    return loaded_ || LoadLocked(FindFileAssociationsFile(program_folder));
}

bool FileAssociationDatabase::LoadFile(const TLString& path) {
    std::lock_guard guard(lock_);
    return LoadLocked(path);
}

bool FileAssociationDatabase::LoadLocked(const TLString& path) {
    path_ = path;
    TLString text;
    loaded_ = tlxml::ReadTextFile(path, text) && ParseFileAssociations(text, ReadInputPlugins(), data_);
    if (!loaded_) {
        data_ = FileAssociationData();
        tools::LogFormat(u"FileAssociationDatabase::Load", u"\"%s\" is missing or no file association file", path);
        return false;
    }
    OverrideDefaultLists(data_, tools::ProductString(u"/*/Product/DefaultFileTypes", TLString()),
                         tools::ProductString(u"/*/Product/DefaultAssocFileTypes", TLString()));
    return true;
}

bool FileAssociationDatabase::IsLoaded() const {
    std::lock_guard guard(lock_);
    return loaded_;
}

TLString FileAssociationDatabase::Path() const {
    std::lock_guard guard(lock_);
    return path_;
}

FileAssociationData FileAssociationDatabase::Data() const {
    std::lock_guard guard(lock_);
    FileAssociationData data = data_;
    for (size_t index = 0; index < kFileTypeListCount; ++index)
        if (Withheld(static_cast<FileTypeList>(index))) data.lists[index].Clear();
    return data;
}

TLStringArray FileAssociationDatabase::List(FileTypeList list) const { return Data().List(list); }

tools::Prompt FileAssociationsFailurePrompt(const TLString& path) {
    tltools::IProductInfo* info = tools::ProductInfo();
    tools::Prompt prompt = tools::TranslatedPrompt(
        u"Information", {u"Failed to load file associations file.  ",
                         u"This is a fatal error, so the program must close.\r\n\r\n",
                         u"Please reinstall the latest version of the program to fix this problem.\r\n\r\n"});
    prompt.text += TLString::Format(tools::Translate(u"Path: %s\r\nVersion: %s"), path,
                                    info ? info->GetVersionText() : TLString());
    return prompt;
}

}  // namespace shell
