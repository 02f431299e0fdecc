// CPU time of the calling thread: time the scheduler gave other workers on
// this shared machine is not counted against the code being measured.
#pragma once

#include <time.h>

inline double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}
