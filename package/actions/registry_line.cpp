#include "package/actions/registry_line.h"

#include <array>
#include <utility>

namespace package {

std::optional<RegistryLine> ParseRegistryLine(const TLString& line, const TLString& name_with_version,
                                              const TLString& program_folder) {
    TLString text = line;
    text.Replace(u"[NameWithVersion]", name_with_version);
    std::array<size_t, 3> bars{};
    size_t from = 0;
    for (size_t& bar : bars) {
        bar = text.Find(u'|', from);
        if (bar == TLString::npos) return std::nullopt;
        from = bar + 1;
    }
    static constexpr std::array<std::pair<std::u16string_view, RegistryRoot>, 5> kRoots = {{
        {u"HKEY_CURRENT_USER", RegistryRoot::kCurrentUser},
        {u"HKEY_LOCAL_MACHINE", RegistryRoot::kLocalMachine},
        {u"HKEY_CLASSES_ROOT", RegistryRoot::kClassesRoot},
        {u"HKEY_USERS", RegistryRoot::kUsers},
        {u"HKEY_CURRENT_CONFIG", RegistryRoot::kCurrentConfig},
    }};
    const TLString root = text.Left(bars[0]);
    for (const auto& [word, value] : kRoots) {
        if (root != word) continue;
        RegistryLine parsed{value, text.Mid(bars[0] + 1, bars[1] - bars[0] - 1),
                            text.Mid(bars[1] + 1, bars[2] - bars[1] - 1), text.Mid(bars[2] + 1)};
        parsed.data.Replace(u"[PROGRAMPATH]", program_folder);
        parsed.data.Replace(u"<PROGRAMPATH>", program_folder);
        return parsed;
    }
    return std::nullopt;
}

}  // namespace package
