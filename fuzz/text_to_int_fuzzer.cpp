// TextToInt on arbitrary bytes against the plain reading of its contract, and the decimal
// text of every number, in ASCII and in full-width forms, reading back as that number.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "engine/draw_record.h"
#include "engine/text_to_int.h"
#include "reference.h"

namespace {

// "12" -> the full-width forms of "1" and "2" (A3B1 A3B2).
std::string FullWidth(std::string_view ascii) {
  std::string wide;
  for (const char c : ascii) {
    wide.push_back(static_cast<char>(0xA3));
    wide.push_back(static_cast<char>(static_cast<unsigned char>(c) | 0x80u));
  }
  return wide;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tavrilo;
  const std::string text(reinterpret_cast<const char*>(data), size);
  fuzz::Require(TextToInt(text) == fuzz::TextToIntReference(text), "TextToInt reads text as its contract says");

  FuzzedDataProvider input(data, size);
  const auto n = input.ConsumeIntegral<std::int32_t>();
  const std::string digits = DecimalText(n);
  const std::string tail = input.ConsumeRandomLengthString(8);
  fuzz::Require(TextToInt(digits) == n, "decimal text reads back");
  fuzz::Require(TextToInt(FullWidth(digits)) == n, "full-width decimal text reads back");
  fuzz::Require(TextToInt("\xA1\xA1 \t" + digits + "/" + tail) == n, "leading spaces and trailing text are ignored");
  return 0;
}
