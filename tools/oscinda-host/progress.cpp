#include "tools/oscinda-host/progress.h"

#include <unistd.h>

#include <cstdio>
#include <utility>

namespace {
constexpr int kBarWidth = 40;
// Without a known length only the frame count is shown, redrawn once per
// this many frames rather than on every block.
constexpr long long kFramesPerRedraw = 48000;
}  // namespace

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
        const long long step = done / kFramesPerRedraw;
        if (step == shown_) return;
        shown_ = step;
        std::fprintf(stderr, "\r%s %lld frames", label_.c_str(), done);
    } else {
        const long long percent = done >= total_ ? 100 : done * 100 / total_;
        if (percent == shown_) return;
        shown_ = percent;
        const int filled = static_cast<int>(percent) * kBarWidth / 100;
        std::fprintf(stderr, "\r%s [%.*s%*s] %3d%%", label_.c_str(), filled, "########################################",
                     kBarWidth - filled, "", static_cast<int>(percent));
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
