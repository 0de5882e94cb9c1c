#include "engine/copy/copy_rules.h"

#include "core/path/path_parts.h"
#include "engine/copy/file_kinds.h"

namespace engine {

bool ShouldCopy(CopyMode mode, const TLString& path, const VersionFacts& versions) {
    if (mode != CopyMode::kCheckVersion || !IsVersionedFile(path) || !versions.readable) return true;
    return versions.source > versions.destination;
}

CopyFailure ClassifyCopyError(uint32_t windows_error) {
    constexpr uint32_t kSharingViolation = 32, kLockViolation = 33, kUserMappedFile = 1224;
    switch (windows_error) {
        case kSharingViolation:
        case kLockViolation:
        case kUserMappedFile:
            return CopyFailure::kInUse;
        default:
            return CopyFailure::kFailed;
    }
}

DeferralEffect EffectOfDeferral(const TLString& source, const TLString& destination) {
    DeferralEffect effect;
    if (IsShellExtension(source))
        effect.shell_extension_waits = true;
    else
        effect.restart_required = !IsInFontsFolder(destination);
    return effect;
}

RegistrationRoute RouteRegistration(const TLString& source, bool deferred, bool collecting) {
    if (!IsRegistrableFile(source) || IsShellExtension(source)) return RegistrationRoute::kNone;
    if (deferred) return RegistrationRoute::kPendingList;
    return collecting ? RegistrationRoute::kRegisterList : RegistrationRoute::kRegisterAtOnce;
}

int PercentDone(uint64_t done, uint64_t total) {
    if (total == 0 || done >= total) return 100;
    return static_cast<int>(done * 100 / total);
}

TLString StagingCandidate(const TLString& install_folder, const TLString& source_root, const TLString& source) {
    const TLString relative = !source_root.empty() && source.StartsWithNoCase(source_root)
                                  ? source.Mid(source_root.length())
                                  : tlpath::NameOf(source);
    return install_folder + u"Setup\\" + relative;
}

}  // namespace engine
