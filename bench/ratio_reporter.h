#pragma once
// A console reporter that also keeps every benchmark's time, so that the ratios between the parsers
// can be printed after the runs. Benchmark names have the form "<task>/<document>/<parser>".

#include <benchmark/benchmark.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace tlbench {

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;
    // Prints, per task, each document's time ratios of pugixml and RapidXML to the installer's
    // document (above 1: the installer's document is faster) and their geometric means, over all
    // documents and over `real_files` alone.
    void PrintRatios(const std::set<std::string>& real_files) const;

private:
    static void PrintGeometricMeans(const char* label, const std::vector<double> (&logs)[2]);

    std::map<std::string, double> seconds_;  // CPU time per iteration, by benchmark name
    std::set<std::string> medians_;          // names whose time is the median of repetitions
};

}  // namespace tlbench
