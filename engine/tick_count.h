#pragma once

#include <cstdint>

namespace tavrilo {

// Milliseconds since the system started, wrapping in 32 bits.
std::uint32_t TickCount();

}  // namespace tavrilo
