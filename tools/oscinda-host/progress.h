// A one-line progress bar on stderr, redrawn only when the percentage moves;
// for input of unknown length, a frame count.
#pragma once

#include <string>

class Progress {
public:
    // total <= 0: length unknown, only frames are counted.
    Progress(bool enabled, long long total, std::string label);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void update(long long done);
    void finish();

    // A bar only makes sense on a terminal and when not asked for silence.
    static bool wanted(bool quiet);

private:
    bool enabled_;
    long long total_;
    std::string label_;
    long long shown_ = -1;  // the percentage, or frames / redraw step, last drawn
    bool drawn_ = false;
};
