#include "bench/ratio_summary.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr double kLargeBlock = 1024.0;
constexpr double kSmallBlock = 32.0;

double counter(const benchmark::BenchmarkReporter::Run& run, const char* name) {
    const auto found = run.counters.find(name);
    return found == run.counters.end() ? -1.0 : static_cast<double>(found->second);
}

std::string twoDecimals(double value) {
    if (value < 0.0) return "n/a";
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

}  // namespace

void RatioSummaryReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred) continue;
        // With repetitions only the median speaks for a case; the single
        // repetitions and the other aggregates are left out.
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
        if (!median && !single) continue;
        const double frames = counter(run, "frames");
        const double ratio = counter(run, "ratio");
        if (frames > 0.0 && ratio >= 0.0) ratios_.push_back({frames, ratio});
    }
}

std::string RatioSummaryReporter::summaryLine() const {
    double large = -1.0;
    double small = -1.0;
    for (const CaseRatio& entry : ratios_) {
        if (entry.frames >= kLargeBlock) large = std::max(large, entry.ratio);
        if (entry.frames == kSmallBlock) small = std::max(small, entry.ratio);
    }
    return "worst ratio to copy: " + twoDecimals(large) + " at >=1024 frames, " + twoDecimals(small) + " at 32 frames";
}
