#include "engine/tick_count.h"

#include <chrono>

namespace tavrilo {

std::uint32_t TickCount() {
  // The steady clock counts from system start on Linux and Windows.
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(since).count();
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ms));
}

}  // namespace tavrilo
