#pragma once
// The installer's way to the tools library's services. Every function works whether the library is
// loaded or not: without it (or without the service) texts stay English, lookups give their
// defaults and nothing is logged.

#include "core/string/tl_string.h"
#include "core/tools/tools_interface.h"

namespace tools {

// The process-wide interface; null until the tools library is loaded.
tltools::ToolsInterface* Interface();
void SetInterface(tltools::ToolsInterface* tools);

// The text in the user's language; empty texts are passed over.
TLString Translate(const TLString& text);

// One line in the general log under the name of the function that writes it.
void Log(std::u16string_view function, const TLString& text, int kind = tltools::ILogger::kInfo);
template <typename... T>
void LogFormat(std::u16string_view function, std::u16string_view format, const T&... args) {
    if (Interface()) Log(function, TLString::Format(format, args...));
}

// Product information, or the fallback / empty text without it.
tltools::IProductInfo* ProductInfo();
TLString ProductString(const TLString& path, const TLString& fallback);
int64_t ProductInteger(const TLString& path, int64_t fallback);
TLString ProductItem(int number);

}  // namespace tools
