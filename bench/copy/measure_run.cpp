// Runs one command line under Wine and prints how long it took and the largest working set its
// process had: "measured: <milliseconds> <peak working set bytes>", after whatever the program wrote.
// The copy benchmark times the installer and xcopy with it, so that both are measured the same way.
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fwprintf(stderr, L"usage: measure_run <program> [arguments...]\n");
        return 2;
    }
    // Arguments with blanks are quoted; a backslash before the closing quote is doubled, so that it
    // does not escape the quote ("C:\Some Folder\\").
    std::wstring line;
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        if (i > 1) line += L' ';
        if (argument.find(L' ') == std::wstring::npos) {
            line += argument;
            continue;
        }
        line += L'"' + argument;
        if (!argument.empty() && argument.back() == L'\\') line += L'\\';
        line += L'"';
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::fwprintf(stderr, L"cannot start %ls (error %lu)\n", argv[1], GetLastError());
        return 1;
    }
    // The counters of an ended process are gone, so they are read while it runs.
    SIZE_T peak = 0;
    while (WaitForSingleObject(process.hProcess, 20) == WAIT_TIMEOUT) {
        PROCESS_MEMORY_COUNTERS memory{};
        memory.cb = sizeof memory;
        if (GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory)) {
            if (memory.PeakWorkingSetSize > peak) peak = memory.PeakWorkingSetSize;
            if (memory.WorkingSetSize > peak) peak = memory.WorkingSetSize;
        }
    }
    QueryPerformanceCounter(&end);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const long long elapsed_ms = (end.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart;
    std::printf("measured: %lld %llu\n", elapsed_ms, static_cast<unsigned long long>(peak));
    return 0;
}
