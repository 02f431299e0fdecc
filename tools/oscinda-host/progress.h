// A one-line progress bar on stderr, redrawn only when the percentage moves.
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
    int shown_ = -1;
    bool drawn_ = false;
};
