#include "core/tools/tools.h"

namespace tools {
namespace {
tltools::ToolsInterface* g_tools = nullptr;
}

tltools::ToolsInterface* Interface() { return g_tools; }
void SetInterface(tltools::ToolsInterface* tools) { g_tools = tools; }

TLString Translate(const TLString& text) {
    TLString result = text;
    if (text.empty() || !g_tools) return result;
    if (tltools::ITranslator* translator = g_tools->GetTranslator(1)) translator->Translate(result);
    return result;
}

void Log(std::u16string_view function, const TLString& text, int kind) {
    if (!g_tools) return;
    if (tltools::ILogger* logger = g_tools->GetLogger(0)) logger->Log(kind, TLString(function), text);
}

tltools::IProductInfo* ProductInfo() { return g_tools ? g_tools->GetProductInfo(0) : nullptr; }

TLString ProductString(const TLString& path, const TLString& fallback) {
    tltools::IProductInfo* info = ProductInfo();
    return info ? info->GetString(path, fallback) : fallback;
}

int64_t ProductInteger(const TLString& path, int64_t fallback) {
    tltools::IProductInfo* info = ProductInfo();
    return info ? info->GetInteger(path, fallback) : fallback;
}

TLString ProductItem(int number) {
    tltools::IProductInfo* info = ProductInfo();
    return info ? info->GetItem(number) : TLString();
}

}  // namespace tools
