// A DLL that someone left beside Setup.exe under a Windows library's name. If it is ever loaded, it
// leaves a file beside itself that the test looks for.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t path[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(instance, path, MAX_PATH * 4);
    wchar_t* slash = wcsrchr(path, L'\\');
    if (!length || !slash) return TRUE;
    wcscpy(slash + 1, L"planted-dll-was-loaded.txt");
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return TRUE;
}
