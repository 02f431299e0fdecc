// How the fuzz target reports a broken promise: one line saying what broke,
// then abort, which libFuzzer records as a crash with the input that did it.
#pragma once

#include <cstdio>
#include <cstdlib>

template <class... Values>
[[noreturn]] void fuzzFailure(const char* format, Values... values) {
    std::fprintf(stderr, "oscinda fuzz failure: ");
    if constexpr (sizeof...(Values) == 0)
        std::fputs(format, stderr);
    else
        std::fprintf(stderr, format, values...);
    std::fputc('\n', stderr);
    std::abort();
}
