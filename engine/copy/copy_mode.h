#pragma once
// How a folder or file copy treats the file it finds in the destination.

namespace engine {

enum class CopyMode : int {
    kCheckVersion = 0,     // a versioned file replaces only an older one
    kAlwaysOverwrite = 1,  // every file replaces what is there
    kFont = 2,             // always overwrite, then announce the font to Windows
};

}  // namespace engine
