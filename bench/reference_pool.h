#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/draw_record.h"

namespace tavrilo::reference {

// The pool built the straightforward way: list every number of the range and search the
// record once per number. The yardstick for the real pool in tests and benchmarks.
inline std::vector<std::int32_t> ListCandidates(std::string_view record, std::int32_t start,
                                                std::int32_t end, bool noRepeat) {
  std::vector<std::int32_t> pool;
  for (std::int64_t n = start; n <= end; ++n) {
    const auto candidate = static_cast<std::int32_t>(n);
    if (!noRepeat || !RecordContains(record, candidate)) pool.push_back(candidate);
  }
  return pool;
}

}  // namespace tavrilo::reference
