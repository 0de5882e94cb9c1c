#include "core/tools/scoped_trace.h"

#include <windows.h>

#include "core/tools/tools.h"

namespace {

int64_t Ticks() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

int MillisecondsSince(int64_t start) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<int>((Ticks() - start) * 1000 / frequency.QuadPart);
}

}  // namespace

TLScopedTrace::TLScopedTrace(std::u16string_view function) : function_(function), start_ticks_(Ticks()) {
    tools::Log(function_, u"Start"_tl, tltools::ILogger::kTrace);
}

TLScopedTrace::~TLScopedTrace() {
    const int elapsed = MillisecondsSince(start_ticks_);
    const TLString text = result_ == kNoResult ? TLString::Format(u"Finish (%d ms)", elapsed)
                                               : TLString::Format(u"Finish (result: %d) (%d ms)", result_, elapsed);
    tools::Log(function_, text, tltools::ILogger::kTrace);
}
