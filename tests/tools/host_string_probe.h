// The buffer the gain plug-in hands its host for the vendor and product
// strings: longer than the 64 bytes a host may fill, and pre-filled with a
// byte no host writes, so a test can see every byte the host touched.
#pragma once

#include <cstddef>

constexpr std::size_t kHostStringProbeSize = 80;
constexpr unsigned char kHostStringSentinel = 0x7F;
