// The Windows checks' verdicts: one line per failed check, a count at the
// end, and the exit status that says whether all passed.
#pragma once

#include <cstdarg>
#include <cstdio>

class CheckReport {
public:
    // Records one check; prints "FAILED: <what>" when ok is false.
    __attribute__((format(printf, 3, 4))) bool that(bool ok, const char* what, ...) {
        ++checks;
        if (ok) return true;
        ++failures;
        std::va_list arguments;
        va_start(arguments, what);
        std::printf("FAILED: ");
        std::vprintf(what, arguments);
        std::printf("\n");
        va_end(arguments);
        std::fflush(stdout);
        return false;
    }

    int checkCount() const { return checks; }
    int failureCount() const { return failures; }

private:
    int checks = 0;
    int failures = 0;
};
