#include "engine/excluded_set.h"

#include <algorithm>

namespace tavrilo {
namespace {

// Members per bucket beyond which the buckets are cut twice as fine.
constexpr std::uint64_t kMaxLoad = 32;
// Buckets to start with; the tree stays small for the short records of everyday use.
constexpr std::uint64_t kFirstBuckets = 64;

std::uint64_t CeilDiv(std::uint64_t a, std::uint64_t b) { return a / b + (a % b != 0); }

}  // namespace

ExcludedSet::ExcludedSet(std::uint64_t span) : span_(span) {
  Rebucket(std::max<std::uint64_t>(1, CeilDiv(span_, kFirstBuckets)));
}

std::uint64_t ExcludedSet::Capacity(std::size_t bucket) const {
  return std::min(width_, span_ - bucket * width_);
}

void ExcludedSet::Rebucket(std::uint64_t width) {
  std::vector<std::uint32_t> members;
  members.reserve(static_cast<std::size_t>(size_));
  for (const auto& bucket : buckets_) members.insert(members.end(), bucket.begin(), bucket.end());

  width_ = width;
  const auto count = static_cast<std::size_t>(CeilDiv(span_, width_));
  buckets_.assign(count, {});
  for (const std::uint32_t m : members) buckets_[BucketOf(m)].push_back(m);  // stays sorted

  // Linear Fenwick build: each node passes its sum on to its parent.
  absentTree_.assign(count + 1, 0);
  for (std::size_t i = 1; i <= count; ++i) {
    absentTree_[i] += Capacity(i - 1) - buckets_[i - 1].size();
    const std::size_t parent = i + (i & (~i + 1));
    if (parent <= count) absentTree_[parent] += absentTree_[i];
  }
}

bool ExcludedSet::Contains(std::uint32_t offset) const {
  const auto& bucket = buckets_[BucketOf(offset)];
  return std::binary_search(bucket.begin(), bucket.end(), offset);
}

bool ExcludedSet::Insert(std::uint32_t offset) {
  const std::size_t index = BucketOf(offset);
  auto& bucket = buckets_[index];
  const auto at = std::lower_bound(bucket.begin(), bucket.end(), offset);
  if (at != bucket.end() && *at == offset) return false;
  bucket.insert(at, offset);
  ++size_;
  for (std::size_t i = index + 1; i < absentTree_.size(); i += i & (~i + 1)) --absentTree_[i];
  if (size_ > kMaxLoad * buckets_.size() && width_ > 1) Rebucket(CeilDiv(width_, 2));
  return true;
}

std::uint32_t ExcludedSet::NthAbsent(std::uint64_t p) const {
  // Fenwick descent to the last bucket whose preceding buckets hold fewer than p absent offsets.
  std::size_t index = 0;
  std::size_t step = 1;
  while (step * 2 < absentTree_.size()) step *= 2;
  for (; step > 0; step /= 2) {
    if (index + step < absentTree_.size() && absentTree_[index + step] < p) {
      index += step;
      p -= absentTree_[index];
    }
  }
  // Within the bucket: the member at index j has (member - base - j) absent offsets below
  // it, which never falls as j grows, so a binary search counts the members below the answer.
  const std::uint64_t base = index * width_;
  const auto& bucket = buckets_[index];
  std::size_t lo = 0;
  std::size_t hi = bucket.size();
  while (lo < hi) {
    const std::size_t mid = lo + (hi - lo) / 2;
    if (bucket[mid] - base - mid < p) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return static_cast<std::uint32_t>(base + p - 1 + lo);
}

}  // namespace tavrilo
