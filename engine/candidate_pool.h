#pragma once

#include <cstdint>
#include <string_view>

#include "engine/excluded_set.h"

namespace tavrilo {

// The numbers that may be drawn: start ... end in ascending order, less those the
// record already holds when repeats are forbidden. Positions count from 1. The pool is
// kept as its range and its gaps, so its cost never grows with the size of the range.
class CandidatePool {
 public:
  CandidatePool() = default;
  CandidatePool(std::int32_t start, std::int32_t end);

  std::uint64_t Size() const { return excluded_.Span() - excluded_.Size(); }
  bool Empty() const { return Size() == 0; }
  // The number at position 1 ... Size().
  std::int32_t At(std::uint64_t position) const;
  // Takes n out of the pool; numbers outside the range are ignored.
  void Exclude(std::int32_t n);
  // Bytes of the longest item "n/" that the range can add to the record.
  std::size_t LongestItemBytes() const;

 private:
  std::uint32_t OffsetOf(std::int32_t n) const;

  std::int32_t start_ = 0;
  std::int32_t end_ = -1;
  ExcludedSet excluded_;
};

// A fresh pool for one number: start ... end, less the numbers the record holds when
// noRepeat is set. Start greater than end gives the empty pool. Costs one pass over the
// record plus O(k log k) for the k recorded numbers inside the range.
CandidatePool BuildCandidatePool(std::string_view record, std::int32_t start, std::int32_t end,
                                 bool noRepeat);

}  // namespace tavrilo
