#pragma once

#include <cstddef>

namespace tavrilo {

// Fills buffer with bytes from the operating system's cryptographic random source
// (getrandom on Linux, BCryptGenRandom on Windows, arc4random_buf elsewhere).
// Throws std::system_error if the source fails. The program's only platform seam
// for randomness.
void FillWithOsRandom(void* buffer, std::size_t size);

}  // namespace tavrilo
