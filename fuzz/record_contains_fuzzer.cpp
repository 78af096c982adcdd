// RecordContains on arbitrary records against the plain search of "/n/" in "/" + record at
// character starts, and against the numbers the record scan reports (which the candidate
// pool relies on to leave drawn numbers out).

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <set>
#include <string>

#include "engine/draw_record.h"
#include "reference.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tavrilo;
  FuzzedDataProvider input(data, size);
  const auto asked = input.ConsumeIntegral<std::int32_t>();
  const std::string record = input.ConsumeRemainingBytesAsString();

  std::set<std::int32_t> visited;
  ForEachRecordedNumber(record, [&](std::int32_t n) { visited.insert(n); });
  const auto recorded = fuzz::RecordedReference(record);
  fuzz::Require(visited == std::set<std::int32_t>(recorded.begin(), recorded.end()),
                "the scan visits exactly the recorded numbers");

  for (const std::int32_t n : visited) {
    fuzz::Require(RecordContains(record, n), "every visited number is contained");
  }
  // Near misses of the first recorded numbers (the plain search is slow), and the number
  // the input asks about.
  std::set<std::int32_t> probes{asked};
  for (std::size_t i = 0; i < recorded.size() && i < 16; ++i) {
    const std::int64_t wide = recorded[i];
    for (const std::int64_t near : {wide - 1, wide + 1, wide * 10, -wide}) {
      if (near >= INT32_MIN && near <= INT32_MAX) probes.insert(static_cast<std::int32_t>(near));
    }
  }
  for (const std::int32_t n : probes) {
    const bool contained = RecordContains(record, n);
    fuzz::Require(contained == fuzz::ContainsReference(record, n), "RecordContains matches the plain search");
    fuzz::Require(contained == (visited.count(n) == 1), "RecordContains agrees with the scan");
  }
  return 0;
}
