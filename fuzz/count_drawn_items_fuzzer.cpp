// CountDrawnItems and the chunked RecordScan on arbitrary records against the plain split
// at "/" bytes that begin characters; appending to a record that ends an item adds one.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/draw_record.h"
#include "reference.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tavrilo;
  FuzzedDataProvider input(data, size);
  const auto cuts = input.ConsumeIntegral<std::uint32_t>();
  const auto n = input.ConsumeIntegral<std::int32_t>();
  const std::string record = input.ConsumeRemainingBytesAsString();

  const fuzz::SplitRecord split = fuzz::SplitReference(record);
  const std::int64_t pieces = CountDrawnItems(record);
  fuzz::Require(pieces == split.Pieces(), "CountDrawnItems counts the plain split");

  // Fed in chunks whose lengths come from the input, the scan ends in the same state,
  // even when a chunk ends between the two bytes of a character.
  RecordScan scan;
  std::string_view rest = record;
  for (std::uint32_t bits = cuts; !rest.empty(); bits = bits >> 3 | bits << 29) {
    const std::size_t chunk = std::min<std::size_t>(rest.size(), 1 + (bits & 7u));
    scan.Feed(rest.substr(0, chunk));
    rest.remove_prefix(chunk);
  }
  fuzz::Require(scan.Pieces() == pieces, "chunked scan counts as the whole scan");
  fuzz::Require(scan.Tail() == split.open, "chunked scan keeps the text after the last separator");

  const std::string appended = AppendDrawn(record, n);
  if (split.open.empty()) {
    fuzz::Require(CountDrawnItems(appended) == pieces + 1, "an appended item is one more piece");
    fuzz::Require(RecordContains(appended, n), "an appended item is contained");
  }
  return 0;
}
