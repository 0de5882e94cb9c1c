#pragma once
// The tools library's smaller services: text search, the message dispatcher and the skin.

#include "core/tools/tools_interface.h"

namespace tltools_dll {

class CStringService final : public tltools::IStringService {
public:
    int FindText(const TLString& text, const TLString& what, int mode) override;
};

class CMessageDispatcher final : public tltools::IMessageDispatcher {
public:
    void DispatchPending() override;
    int GetMetric(int index) override;
    int RunMessageLoop() override;
};

// The skin: the title-bar image name and the skin file, an INI-style file whose "[Colors]" section
// gives element colours as hexadecimal 0xBBGGRR values.
class CSkinService final : public tltools::ISkinService {
public:
    explicit CSkinService(tltools::ILogger& logger) : logger_(logger) {}
    void SetTitleBarImage(const TLString& image_name) override;
    bool SetSkinFile(const TLString& path) override;
    bool IsValidSkinFile(const TLString& path) override;
    uint32_t GetColor(const TLString& element, uint32_t fallback) override;

private:
    tltools::ILogger& logger_;
    TLString title_bar_image_;
    TLString skin_file_;
};

}  // namespace tltools_dll
