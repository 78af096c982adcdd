#include "engine/random.h"

#include <iterator>
#include <utility>

#include "engine/os_random.h"

namespace tavrilo {
namespace {

std::unique_ptr<RandomSource>& Installed() {
  static std::unique_ptr<RandomSource> source = std::make_unique<SystemRandom>();
  return source;
}

}  // namespace

std::uint64_t SystemRandom::Next() {
  if (used_ == std::size(buffer_)) {
    FillWithOsRandom(buffer_, sizeof buffer_);
    used_ = 0;
  }
  return buffer_[used_++];
}

void SystemRandom::Seed(std::uint32_t /*seed*/) {}

std::uint64_t SeededRandom::Next() {
  // SplitMix64: fully determined by the seed, identical on every platform.
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
  return z ^ (z >> 31);
}

void SeededRandom::Seed(std::uint32_t seed) { state_ = seed; }

RandomSource& ProcessRandom() { return *Installed(); }

std::unique_ptr<RandomSource> ReplaceProcessRandom(std::unique_ptr<RandomSource> source) {
  return std::exchange(Installed(), std::move(source));
}

std::int64_t RandomBetween(std::int64_t lo, std::int64_t hi) {
  if (hi < lo) std::swap(lo, hi);
  RandomSource& source = ProcessRandom();
  if (lo == INT64_MIN && hi == INT64_MAX) return static_cast<std::int64_t>(source.Next());
  const std::uint64_t span = static_cast<std::uint64_t>(hi) - static_cast<std::uint64_t>(lo) + 1;
  // Reject the lowest (2^64 mod span) words so that every residue is equally likely.
  const std::uint64_t rejectBelow = (0 - span) % span;
  std::uint64_t word = source.Next();
  while (word < rejectBelow) word = source.Next();
  return static_cast<std::int64_t>(static_cast<std::uint64_t>(lo) + word % span);
}

void SeedRandom(std::uint32_t seed) { ProcessRandom().Seed(seed); }

}  // namespace tavrilo
