// libFuzzer's entry: every input is one host session with a fresh instance.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_host.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    FuzzHost host;
    host.play(input);
    return 0;
}
