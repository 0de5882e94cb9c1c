#pragma once
// The process-wide file association database: "FileAssociations.xml" of the installed product, the
// types of its input plug-ins and the install configuration's default lists, loaded once and asked
// by the associations page, the registration scope and the product's package installer. Every
// call holds the database's lock.

#include <mutex>

#include "shell/associations/file_association_data.h"
#include "core/tools/install_prompts.h"

namespace shell {

class FileAssociationDatabase {
public:
    static FileAssociationDatabase& Get();

    // Loads the file from the product's resources in `program_folder` (custom before default) the
    // first time; true when it is loaded.
    bool Load(const TLString& program_folder);
    // Loads that very file, replacing what was loaded; for the product's tools and tests.
    bool LoadFile(const TLString& path);
    bool IsLoaded() const;
    // The file that was looked for last.
    TLString Path() const;

    // A copy of the lists as loaded; a list the product does not handle (product information says
    // no to its question) is empty.
    FileAssociationData Data() const;
    TLStringArray List(FileTypeList list) const;

private:
    FileAssociationDatabase() = default;
    bool LoadLocked(const TLString& path);

    mutable std::mutex lock_;
    FileAssociationData data_;
    TLString path_;
    bool loaded_ = false;
};

// The file's place among the product's resources below its program folder.
TLString FindFileAssociationsFile(const TLString& program_folder);

// The message for a missing or broken file: the product cannot go on without it.
tools::Prompt FileAssociationsFailurePrompt(const TLString& path);

}  // namespace shell
