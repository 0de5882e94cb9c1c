// Runs one command line under Wine and prints how long it took and the largest working set its
// process had: "<milliseconds> <peak working set bytes>". The copy benchmark times Setup.exe and
// xcopy with it, so that both are measured the same way.
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
    std::wstring line;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) line += L' ';
        line += L'"';
        line += argv[i];
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
    WaitForSingleObject(process.hProcess, INFINITE);
    QueryPerformanceCounter(&end);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const long long elapsed_ms = (end.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart;
    std::printf("%lld %llu\n", elapsed_ms, static_cast<unsigned long long>(memory.PeakWorkingSetSize));
    return 0;
}
