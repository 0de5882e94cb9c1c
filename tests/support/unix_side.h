#pragma once
// Reaching the Linux side of Wine from a test, for what Windows code under Wine cannot make itself
// (symbolic links, for one).

#include <string>
#include <vector>

#include "core/string/tl_string.h"

namespace tltest {

// The Unix path of a Windows path (UTF-8); empty when Wine cannot map it.
std::string UnixPath(const TLString& windows_path);

// Starts a Unix program (the first argument is its path) through Wine's own spawning call, and with
// `wait` waits for its end; false when it cannot be started (what it did is for the caller to check).
bool SpawnUnixProgram(std::vector<std::string> arguments, bool wait);

// A Unix symbolic link at `link` (a Windows path) to `target` (a Windows path), which Windows code
// under Wine sees as a reparse point. Removed again at the end (the link only, never its target).
class UnixSymbolicLink {
public:
    UnixSymbolicLink(const TLString& target, const TLString& link);
    ~UnixSymbolicLink();
    UnixSymbolicLink(const UnixSymbolicLink&) = delete;
    UnixSymbolicLink& operator=(const UnixSymbolicLink&) = delete;

    bool made() const { return made_; }

private:
    std::string link_;
    bool made_ = false;
};

// `folder` (a Windows path) made read-only, as a DVD or a share the user may only read: the Unix
// folder is mounted read-only over itself, so that every write fails as on such media, also for a
// program run as root. Mounting needs root; made() says whether it worked. Unmounted at the end.
class ReadOnlyMount {
public:
    explicit ReadOnlyMount(const TLString& folder);
    ~ReadOnlyMount();
    ReadOnlyMount(const ReadOnlyMount&) = delete;
    ReadOnlyMount& operator=(const ReadOnlyMount&) = delete;

    bool made() const { return made_; }

private:
    std::string folder_;
    bool mounted_ = false;
    bool made_ = false;
};

}  // namespace tltest
