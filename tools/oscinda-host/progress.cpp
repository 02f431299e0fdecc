#include "tools/oscinda-host/progress.h"

#include <unistd.h>

#include <cstdio>
#include <utility>

namespace {
constexpr int kBarWidth = 40;
}

Progress::Progress(bool enabled, long long total, std::string label)
    : enabled_(enabled), total_(total), label_(std::move(label)) {}

Progress::~Progress() {
    // Leave the line so an error message that follows starts on its own.
    if (drawn_) std::fputc('\n', stderr);
}

bool Progress::wanted(bool quiet) { return !quiet && isatty(STDERR_FILENO) == 1; }

void Progress::update(long long done) {
    if (!enabled_) return;
    if (total_ <= 0) {
        const int seconds = static_cast<int>(done / 48000);
        if (seconds == shown_) return;
        shown_ = seconds;
        std::fprintf(stderr, "\r%s %lld frames", label_.c_str(), done);
    } else {
        const int percent = static_cast<int>(done >= total_ ? 100 : done * 100 / total_);
        if (percent == shown_) return;
        shown_ = percent;
        const int filled = percent * kBarWidth / 100;
        std::fprintf(stderr, "\r%s [%.*s%*s] %3d%%", label_.c_str(), filled, "########################################",
                     kBarWidth - filled, "", percent);
    }
    drawn_ = true;
    std::fflush(stderr);
}

void Progress::finish() {
    if (!enabled_) return;
    if (total_ > 0) update(total_);
    if (drawn_) std::fputc('\n', stderr);
    drawn_ = false;
}
