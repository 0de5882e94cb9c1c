#pragma once
// The parameter of a "REGISTRY" file action: "ROOT|key path|value name|data", read without the
// registry.

#include <optional>

#include "core/string/tl_string.h"

namespace package {

enum class RegistryRoot { kCurrentUser, kLocalMachine, kClassesRoot, kUsers, kCurrentConfig };

struct RegistryLine {
    RegistryRoot root;
    TLString key;
    TLString name;
    TLString data;
    friend bool operator==(const RegistryLine&, const RegistryLine&) = default;
};

// "[NameWithVersion]" anywhere becomes `name_with_version` before the line is split; in the data,
// "[PROGRAMPATH]" and "<PROGRAMPATH>" become `program_folder`. Fields after the fourth belong to the
// data, "|" included. Nothing for fewer than four fields or a root not among the five.
std::optional<RegistryLine> ParseRegistryLine(const TLString& line, const TLString& name_with_version,
                                              const TLString& program_folder);

}  // namespace package
