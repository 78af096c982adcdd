// BuildCandidatePool and a draw from it. For small ranges the pool must equal the plain
// listing of start ... end less the numbers RecordContains finds (when repeats are
// forbidden); for any range, every drawn position must hold the number that has exactly
// that many pool members at or below it, which the contained numbers never are.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/candidate_pool.h"
#include "engine/draw_record.h"
#include "engine/random.h"
#include "reference.h"

namespace {

using tavrilo::fuzz::Require;

// Ranges up to kListedSpan numbers are compared with the plain listing in full, as long as
// span x record bytes (the listing's cost) stays within kListingBudget.
constexpr std::int64_t kListedSpan = 512;
constexpr std::int64_t kListingBudget = std::int64_t{1} << 22;

std::int32_t Clamp32(std::int64_t n) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(n, INT32_MIN, INT32_MAX));
}

// A record of numbers in and next to the range, some in runs of consecutive numbers so
// that the pool's gaps can outgrow its buckets, with bytes of the input as stray text
// between some items. Stops past 32 KiB, room for the 2048 gaps at which the pool first
// cuts its buckets finer.
std::string RecordNear(FuzzedDataProvider& input, std::int32_t start, std::int64_t span) {
  std::string record;
  while (input.remaining_bytes() > 0 && record.size() < 32768) {
    const auto kind = input.ConsumeIntegralInRange(0, 7);
    if (kind == 0) {
      record += input.ConsumeRandomLengthString(4);
      continue;
    }
    const std::int64_t first = start + input.ConsumeIntegralInRange<std::int64_t>(-1, span);
    const int run = kind == 1 ? input.ConsumeIntegralInRange(1, 8192) : 1;
    for (int k = 0; k < run; ++k) record += tavrilo::DecimalText(Clamp32(first + k)) + "/";
  }
  return record;
}

// Checks that position p holds the number with exactly p pool members at or below it.
void CheckPosition(const tavrilo::CandidatePool& pool, std::uint64_t p, std::int32_t start,
                   const std::vector<std::int32_t>& excludedSorted, std::string_view record, bool noRepeat) {
  const std::int32_t n = pool.At(p);
  Require(n >= start, "a drawn number lies in the range");
  const auto excludedUpTo = std::upper_bound(excludedSorted.begin(), excludedSorted.end(), n) - excludedSorted.begin();
  Require(std::int64_t{n} - start + 1 - excludedUpTo == static_cast<std::int64_t>(p),
          "position p holds the number with p pool members up to it");
  Require(!std::binary_search(excludedSorted.begin(), excludedSorted.end(), n), "a drawn number is not left out");
  Require(!(noRepeat && tavrilo::RecordContains(record, n)), "with repeats forbidden a drawn number is not in the record");
  Require(tavrilo::DecimalText(n).size() + 1 <= pool.LongestItemBytes(), "the longest item bounds every item");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tavrilo;
  FuzzedDataProvider input(data, size);
  const auto start = input.ConsumeIntegral<std::int32_t>();
  // Mostly ranges short enough to list, some of up to 8192 numbers (which recorded runs can
  // fill bucket by bucket), some of any size.
  const int shape = input.ConsumeIntegralInRange(0, 3);
  const std::int32_t end =
      shape == 0 ? input.ConsumeIntegral<std::int32_t>()
                 : Clamp32(start + input.ConsumeIntegralInRange<std::int64_t>(-2, shape == 3 ? 8192 : kListedSpan));
  const bool noRepeat = input.ConsumeBool();
  const auto seed = input.ConsumeIntegral<std::uint32_t>();
  const std::int64_t span = std::max<std::int64_t>(0, std::int64_t{end} - start + 1);
  const std::string record = input.ConsumeBool() ? RecordNear(input, start, span)
                                                 : input.ConsumeRemainingBytesAsString();

  const CandidatePool pool = BuildCandidatePool(record, start, end, noRepeat);

  // The numbers of the range that the record holds: what repeats forbidden leaves out.
  std::vector<std::int32_t> excluded;
  if (noRepeat) {
    for (const std::int32_t n : fuzz::RecordedReference(record)) {
      if (n >= start && n <= end) excluded.push_back(n);
    }
    std::sort(excluded.begin(), excluded.end());
    excluded.erase(std::unique(excluded.begin(), excluded.end()), excluded.end());
  }
  Require(pool.Size() == static_cast<std::uint64_t>(span) - excluded.size(), "the pool's size is the range less the gaps");
  Require(pool.Empty() == (pool.Size() == 0), "Empty agrees with Size");

  if (span <= kListedSpan && span * static_cast<std::int64_t>(record.size() + 1) <= kListingBudget) {
    std::vector<std::int32_t> listing;
    for (std::int64_t n = start; n <= end; ++n) {
      if (!(noRepeat && RecordContains(record, static_cast<std::int32_t>(n)))) {
        listing.push_back(static_cast<std::int32_t>(n));
      }
    }
    Require(pool.Size() == listing.size(), "the pool is as long as the plain listing");
    for (std::size_t i = 0; i < listing.size(); ++i) {
      Require(pool.At(i + 1) == listing[i], "the pool lists the plain listing in order");
    }
  }
  if (pool.Empty()) return 0;

  // A draw as the batch makes it, from a seeded generator so that a finding replays.
  auto previous = ReplaceProcessRandom(std::make_unique<SeededRandom>(seed));
  for (int k = 0; k < 8; ++k) {
    const std::int64_t p = RandomBetween(1, static_cast<std::int64_t>(pool.Size()));
    Require(p >= 1 && static_cast<std::uint64_t>(p) <= pool.Size(), "a drawn position lies in the pool");
    CheckPosition(pool, static_cast<std::uint64_t>(p), start, excluded, record, noRepeat);
  }
  CheckPosition(pool, 1, start, excluded, record, noRepeat);
  CheckPosition(pool, pool.Size(), start, excluded, record, noRepeat);
  ReplaceProcessRandom(std::move(previous));
  return 0;
}
