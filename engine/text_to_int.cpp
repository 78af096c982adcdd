#include "engine/text_to_int.h"

namespace tavrilo {
namespace {

// The next character of text at i as the ASCII byte it stands for: full-width forms
// A3A1..A3FE read as 0x21..0x7E and the ideographic space A1A1 as a space. Any other
// two-byte character reads as 0x80, which is neither white space, sign nor digit.
unsigned char NextAscii(std::string_view text, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  if (lead < 0x80) {
    ++i;
    return lead;
  }
  const auto trail = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
  i += 2;
  if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) return static_cast<unsigned char>(trail & 0x7F);
  if (lead == 0xA1 && trail == 0xA1) return ' ';
  return 0x80;
}

bool IsSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

std::int32_t TextToInt(std::string_view text) {
  std::size_t i = 0;
  unsigned char c = 0;
  do {
    if (i >= text.size()) return 0;
    c = NextAscii(text, i);
  } while (IsSpace(c));

  const bool negative = c == '-';
  if (c == '+' || c == '-') {
    if (i >= text.size()) return 0;
    c = NextAscii(text, i);
  }
  std::uint32_t value = 0;  // unsigned: the accumulation wraps modulo 2^32 by definition
  while (c >= '0' && c <= '9') {
    value = value * 10u + static_cast<std::uint32_t>(c - '0');
    if (i >= text.size()) break;
    c = NextAscii(text, i);
  }
  if (negative) value = 0u - value;
  return static_cast<std::int32_t>(value);
}

}  // namespace tavrilo
