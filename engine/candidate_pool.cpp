#include "engine/candidate_pool.h"

#include <algorithm>
#include <vector>

#include "engine/draw_record.h"

namespace tavrilo {

// 64-bit arithmetic: the full 32-bit range holds 2^32 numbers.
CandidatePool::CandidatePool(std::int32_t start, std::int32_t end)
    : start_(start),
      end_(end),
      excluded_(start <= end ? static_cast<std::uint64_t>(std::int64_t{end} - start) + 1 : 0) {}

std::uint32_t CandidatePool::OffsetOf(std::int32_t n) const {
  return static_cast<std::uint32_t>(std::int64_t{n} - start_);
}

std::int32_t CandidatePool::At(std::uint64_t position) const {
  return static_cast<std::int32_t>(start_ + std::int64_t{excluded_.NthAbsent(position)});
}

void CandidatePool::Exclude(std::int32_t n) {
  if (n >= start_ && n <= end_) excluded_.Insert(OffsetOf(n));
}

std::size_t CandidatePool::LongestItemBytes() const {
  // The longest decimal text in a range sits at one of its ends; plus one for the "/".
  return std::max(DecimalText(start_).size(), DecimalText(end_).size()) + 1;
}

CandidatePool BuildCandidatePool(std::string_view record, std::int32_t start, std::int32_t end,
                                 bool noRepeat) {
  CandidatePool pool(start, end);
  if (!noRepeat || pool.Empty()) return pool;
  std::vector<std::int32_t> recorded;
  ForEachRecordedNumber(record, [&](std::int32_t n) {
    if (n >= start && n <= end) recorded.push_back(n);
  });
  // In ascending order every insertion lands at the end of its bucket.
  std::sort(recorded.begin(), recorded.end());
  for (const std::int32_t n : recorded) pool.Exclude(n);
  return pool;
}

}  // namespace tavrilo
