// Collects each case's ratio to the copy floor as the benchmarks report it and
// names the worst ones: the figure the gate is held to, for large blocks and
// for the smallest.
#pragma once

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

// Console output as usual (in plain text), plus the ratio of every finished case (the median
// when repetitions run, the single run otherwise).
class RatioSummaryReporter : public benchmark::ConsoleReporter {
public:
    // Plain text: a colour code would end up in front of the summary line.
    RatioSummaryReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override;

    // "worst ratio to copy: N at >=1024 frames, M at 32 frames"; a figure
    // with no case behind it reads "n/a".
    std::string summaryLine() const;

private:
    struct CaseRatio {
        double frames;
        double ratio;
    };
    std::vector<CaseRatio> ratios_;
};
