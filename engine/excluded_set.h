#pragma once

#include <cstdint>
#include <vector>

namespace tavrilo {

// The numbers left out of a range of up to 2^32 numbers, held as offsets from the range's
// start. Besides membership it finds the p-th offset that is NOT left out, which is how the
// candidate pool finds the number at a position without listing the range.
//
// The range is cut into equal buckets, each holding its members sorted; a Fenwick tree over
// the buckets' counts of absent offsets finds the bucket of the p-th absent one in O(log K).
// The buckets are cut finer as members arrive, so that they hold a few dozen on average.
class ExcludedSet {
 public:
  explicit ExcludedSet(std::uint64_t span = 0);

  std::uint64_t Span() const { return span_; }
  std::uint64_t Size() const { return size_; }
  // Adds offset (< Span()); returns false if it was already there.
  bool Insert(std::uint32_t offset);
  bool Contains(std::uint32_t offset) const;
  // The p-th offset (1 <= p <= Span() - Size()) that is not in the set.
  std::uint32_t NthAbsent(std::uint64_t p) const;

 private:
  void Rebucket(std::uint64_t width);
  std::uint64_t Capacity(std::size_t bucket) const;
  std::size_t BucketOf(std::uint32_t offset) const { return static_cast<std::size_t>(offset / width_); }

  std::uint64_t span_;
  std::uint64_t size_ = 0;
  std::uint64_t width_ = 1;  // offsets per bucket
  std::vector<std::vector<std::uint32_t>> buckets_;
  std::vector<std::uint64_t> absentTree_;  // Fenwick tree, 1-based, of absent offsets per bucket
};

}  // namespace tavrilo
