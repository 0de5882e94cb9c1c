#include "product/main_program/program_commands.h"

#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

#include "core/tools/tools_interface.h"

namespace product_program {
namespace {

TLString ModulePath() {
    wchar_t path[MAX_PATH * 8];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 8);
    return TLString(path, length);
}

tltools::ILogger* Logger() {
    static tltools::ILogger* logger = [] {
        const TLString path = ModulePath();
        HMODULE tools = LoadLibraryW((path.Left(path.ReverseFind(u'\\') + 1) + u"TLTools.dll").wc());
        const auto entry = tools ? reinterpret_cast<tltools::ModuleEntry>(
                                       reinterpret_cast<void*>(GetProcAddress(tools, "GetTLToolsDLL")))
                                 : nullptr;
        auto* interface = entry ? static_cast<tltools::ToolsInterface*>(entry(tltools::kInterfaceVersion)) : nullptr;
        return interface ? interface->GetLogger(0) : nullptr;
    }();
    return logger;
}

}  // namespace

TLString FileName() {
    const TLString path = ModulePath();
    return path.Mid(path.ReverseFind(u'\\') + 1);
}

TLString FirstArgument() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    const TLString first = arguments && count > 1 ? TLString(arguments[1]) : TLString();
    LocalFree(arguments);
    return first;
}

void Log(const TLString& text) {
    if (tltools::ILogger* logger = Logger()) logger->Log(tltools::ILogger::kInfo, FileName(), text);
}

void AnswerCommand(const TLString& command) {
    Log(u"Answered " + command);
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, TLString(kCommandsKey).wc(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExW(key, FileName().wc(), 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>((command.length() + 1) * sizeof(char16_t)));
    RegCloseKey(key);
}

bool IsKnownCommand(const TLString& argument) {
    return argument.EqualsNoCase(u"/Register") || argument.EqualsNoCase(u"/Stop");
}

}  // namespace product_program
