#pragma once

#include <cstdint>
#include <memory>

namespace tavrilo {

// A source of uniformly distributed 64-bit words.
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual std::uint64_t Next() = 0;
  virtual void Seed(std::uint32_t seed) = 0;
};

// The process's generator: words from the operating system's cryptographic source,
// read through a buffer. Seed leaves that state as it is: 32 bits known to the program
// could only make it more predictable.
class SystemRandom final : public RandomSource {
 public:
  std::uint64_t Next() override;
  void Seed(std::uint32_t seed) override;

 private:
  std::uint64_t buffer_[64] = {};
  std::size_t used_ = 64;
};

// A deterministic generator for tests: the same seed gives the same words on every platform.
class SeededRandom final : public RandomSource {
 public:
  explicit SeededRandom(std::uint32_t seed = 0) { Seed(seed); }
  std::uint64_t Next() override;
  void Seed(std::uint32_t seed) override;

 private:
  std::uint64_t state_ = 0;
};

// The one generator of the process; a SystemRandom until replaced.
RandomSource& ProcessRandom();
// Installs source as the process's generator and returns the previous one (tests).
std::unique_ptr<RandomSource> ReplaceProcessRandom(std::unique_ptr<RandomSource> source);

// A uniformly drawn integer between lo and hi, both included; the bounds may come in
// either order. Exact for every span, by rejection rather than modulo.
std::int64_t RandomBetween(std::int64_t lo, std::int64_t hi);
// Hands seed to the process's generator.
void SeedRandom(std::uint32_t seed);

}  // namespace tavrilo
