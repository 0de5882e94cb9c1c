#include "core/windows/run_program.h"

#include <windows.h>

#include <shellapi.h>

#include "core/tools/scoped_trace.h"
#include "core/tools/tools.h"

namespace tlwin {
namespace {

constexpr std::u16string_view kName = u"RunProgram";
constexpr DWORD kPollMs = 500;
constexpr DWORD kPumpingPollMs = 10;

TLString Join(const TLStringArray& parameters) {
    TLString line;
    for (const TLString& parameter : parameters) {
        if (!line.empty()) line += u' ';
        line += parameter;
    }
    return line;
}

class Stopwatch {
public:
    Stopwatch() { QueryPerformanceCounter(&start_); }
    int64_t ElapsedMs() const {
        LARGE_INTEGER now, frequency;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        return (now.QuadPart - start_.QuadPart) * 1000 / frequency.QuadPart;
    }

private:
    LARGE_INTEGER start_;
};

bool WaitForEnd(HANDLE process, bool pump_messages, int* exit_code, int timeout_ms) {
    tools::Log(kName, u"Waiting for completion"_tl);
    const Stopwatch stopwatch;
    for (;;) {
        const DWORD wait = WaitForMultipleObjects(1, &process, FALSE, pump_messages ? kPumpingPollMs : kPollMs);
        if (wait == WAIT_OBJECT_0) {
            tools::Log(kName, u"Finished"_tl);
            DWORD code = 0;
            if (exit_code && GetExitCodeProcess(process, &code)) *exit_code = static_cast<int>(code);
            return true;
        }
        if (wait == WAIT_TIMEOUT) {
            if (timeout_ms <= 0 || stopwatch.ElapsedMs() <= timeout_ms) {
                if (pump_messages) DispatchPendingMessages();
                continue;
            }
            tools::Log(kName, u"Timeout"_tl);
        } else {
            tools::LogFormat(kName, u"Unknown wait code (%d)", static_cast<int>(wait));
        }
        TerminateProcess(process, static_cast<UINT>(-1));
        return false;
    }
}

}  // namespace

void DispatchPendingMessages() {
    if (tltools::ToolsInterface* tools = tools::Interface()) {
        if (tltools::IMessageDispatcher* dispatcher = tools->GetMessageDispatcher(1)) {
            dispatcher->DispatchPending();
            return;
        }
    }
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool RunProgram(const TLString& program, const TLStringArray& parameters, bool visible, bool wait, bool pump_messages,
                int* exit_code, int timeout_ms) {
    TLScopedTrace trace(kName);
    if (exit_code) *exit_code = -1;
    if (program.empty()) {
        trace.SetResult(false);
        return false;
    }
    const TLString parameter_line = Join(parameters);
    tools::LogFormat(kName, u"Filename: %s / Parameters: %s", program, parameter_line);

    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_NOZONECHECKS;
    if (!visible) info.fMask |= SEE_MASK_FLAG_NO_UI;
    info.lpFile = program.wc();
    info.lpParameters = parameter_line.wc();
    info.nShow = visible ? SW_SHOWNORMAL : SW_HIDE;
    tools::Log(kName, u"Performing ShellExecute..."_tl);
    ShellExecuteExW(&info);

    const auto instance_result = reinterpret_cast<INT_PTR>(info.hInstApp);
    if (instance_result <= 32) {
        tools::LogFormat(kName, u"Failed to start (error %d)", static_cast<int>(instance_result));
        trace.SetResult(false);
        return false;
    }
    bool result = true;
    if (info.hProcess) {
        tools::Log(kName, u"Running process..."_tl);
        if (wait) {
            result = WaitForEnd(info.hProcess, pump_messages, exit_code, timeout_ms);
            tools::Log(kName, u"Done waiting"_tl);
        }
        CloseHandle(info.hProcess);
    }
    trace.SetResult(result);
    return result;
}

bool RunWithParameter(const TLString& program, const TLString& parameter, bool visible, bool pump_messages,
                      int* exit_code, int timeout_ms) {
    return RunProgram(program, TLStringArray{parameter}, visible, true, pump_messages, exit_code, timeout_ms);
}

}  // namespace tlwin
