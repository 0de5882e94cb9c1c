// Reading and writing whole text files on Windows.

#include <windows.h>

#include "core/windows/fault_seam.h"
#include "core/windows/file_handle.h"
#include "core/xml/file_text.h"

namespace tlxml {

using tlwin::FileHandle;

bool ReadTextFile(const TLString& path, TLString& text, TextEncoding* encoding) {
    FileHandle file(CreateFileW(path.wc(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 || size.QuadPart > 0x7FFFFFFF) return false;
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size()))
        return false;
    text = DecodeFileText(bytes, encoding);
    return true;
}

bool WriteTextFile(const TLString& path, std::u16string_view text, TextEncoding encoding) {
    const std::string bytes = EncodeFileText(text, encoding);
    if (bytes.size() > 0x7FFFFFFF) return false;
    if (tlwin::PlantedError(tlwin::FaultCall::kFileWrite) != ERROR_SUCCESS) return false;
    FileHandle file(CreateFileW(path.wc(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) return false;
    DWORD written = 0;
    return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

}  // namespace tlxml
