#include "bench/ratio_reporter.h"

#include <cmath>
#include <cstdio>
#include <iterator>
#include <set>
#include <vector>

namespace tlbench {
namespace {

constexpr const char* kOurs = "tonehall";
constexpr const char* kOthers[] = {"pugixml", "rapidxml"};

struct Name {
    std::string task, document, parser;
};

bool Split(const std::string& name, Name& out) {
    const size_t first = name.find('/');
    const size_t last = name.rfind('/');
    if (first == std::string::npos || first == last) return false;
    out = {name.substr(0, first), name.substr(first + 1, last - first - 1), name.substr(last + 1)};
    return true;
}

double TimeUnitSeconds(benchmark::TimeUnit unit) {
    switch (unit) {
        case benchmark::kSecond:
            return 1;
        case benchmark::kMillisecond:
            return 1e-3;
        case benchmark::kMicrosecond:
            return 1e-6;
        default:
            return 1e-9;
    }
}

// "3.72 ms", "27.1 ns": three significant digits in the unit that suits.
std::string Duration(double seconds) {
    const char* units[] = {"s", "ms", "us", "ns"};
    size_t unit = 0;
    while (unit + 1 < std::size(units) && seconds < 1) seconds *= 1000, ++unit;
    char text[32];
    std::snprintf(text, sizeof text, "%.3g %s", seconds, units[unit]);
    return text;
}

}  // namespace

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
    // With repetitions the median stands for the benchmark; otherwise its single run.
    for (const Run& run : runs) {
        if (run.error_occurred || run.iterations <= 0) continue;
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        if (run.run_type == Run::RT_Aggregate && !median) continue;
        if (!median && medians_.count(run.run_name.function_name)) continue;
        if (median) medians_.insert(run.run_name.function_name);
        seconds_[run.run_name.function_name] = run.GetAdjustedCPUTime() * TimeUnitSeconds(run.time_unit);
    }
    ConsoleReporter::ReportRuns(runs);
}

void RatioReporter::PrintRatios(const std::set<std::string>& real_files) const {
    std::set<std::string> tasks;
    for (const auto& [name, seconds] : seconds_) {
        Name n;
        if (Split(name, n)) tasks.insert(n.task);
    }
    std::printf(
        "\nSpeed-up of the installer's document: other parser's CPU time / its CPU time (above 1 is "
        "faster)\n");
    for (const std::string& task : tasks) {
        std::printf("\n%-14s %-14s %12s", task.c_str(), "document", "tonehall");
        for (const char* other : kOthers) std::printf(" %12s", other);
        std::printf("\n");
        // The logarithms of the ratios, of every document and of the real files.
        std::vector<double> logs[2], real_logs[2];
        std::set<std::string> documents;
        for (const auto& [name, seconds] : seconds_) {
            Name n;
            if (Split(name, n) && n.task == task) documents.insert(n.document);
        }
        for (const std::string& document : documents) {
            const auto ours = seconds_.find(task + "/" + document + "/" + kOurs);
            if (ours == seconds_.end()) continue;
            std::printf("%-14s %-14s %12s", "", document.c_str(), Duration(ours->second).c_str());
            for (size_t i = 0; i < 2; ++i) {
                const auto other = seconds_.find(task + "/" + document + "/" + kOthers[i]);
                if (other == seconds_.end()) {
                    std::printf(" %12s", "-");
                    continue;
                }
                const double ratio = other->second / ours->second;
                logs[i].push_back(std::log(ratio));
                if (real_files.count(document)) real_logs[i].push_back(std::log(ratio));
                std::printf(" %11.2fx", ratio);
            }
            std::printf("\n");
        }
        PrintGeometricMeans("geometric mean", logs);
        PrintGeometricMeans("  real files", real_logs);
    }
}

void RatioReporter::PrintGeometricMeans(const char* label, const std::vector<double> (&logs)[2]) {
    std::printf("%-14s %-14s %12s", "", label, "");
    for (const auto& l : logs) {
        double sum = 0;
        for (double v : l) sum += v;
        if (l.empty()) {
            std::printf(" %12s", "-");
        } else {
            std::printf(" %11.2fx", std::exp(sum / static_cast<double>(l.size())));
        }
    }
    std::printf("\n");
}

}  // namespace tlbench
