#pragma once

// Plain, slow readings of the engine's contracts that the fuzz targets hold the engine to.
// Each one walks the text byte by byte exactly as the contract words it.

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace tavrilo::fuzz {

// Stops the run with a finding when a property does not hold.
inline void Require(bool holds, const char* property) {
  if (!holds) {
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
  }
}

// The start offsets of the characters of a code page 936 text: any byte >= 0x80 begins a
// two-byte character (a lone one at the end is a character of its own).
inline std::vector<std::size_t> CharacterStarts(std::string_view text) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < text.size(); i += static_cast<unsigned char>(text[i]) >= 0x80 ? 2 : 1) {
    starts.push_back(i);
  }
  return starts;
}

inline std::string Decimal(std::int64_t n) { return std::to_string(n); }

// "/" + decimal + "/" found at a character start of "/" + record.
inline bool ContainsReference(std::string_view record, std::int32_t n) {
  const std::string haystack = "/" + std::string(record);
  const std::string needle = "/" + Decimal(n) + "/";
  if (haystack.compare(0, needle.size(), needle) == 0) return true;
  for (const std::size_t start : CharacterStarts(record)) {
    if (haystack.compare(start + 1, needle.size(), needle) == 0) return true;
  }
  return false;
}

// The record split at the "/" bytes that begin characters: the pieces each "/" ends, and
// the text after the last "/".
struct SplitRecord {
  std::vector<std::string> closed;
  std::string open;
  std::int64_t Pieces() const { return static_cast<std::int64_t>(closed.size()) + (open.empty() ? 0 : 1); }
};

inline SplitRecord SplitReference(std::string_view record) {
  SplitRecord split;
  std::size_t pieceStart = 0;
  for (const std::size_t start : CharacterStarts(record)) {
    if (record[start] == '/') {
      split.closed.emplace_back(record.substr(pieceStart, start - pieceStart));
      pieceStart = start + 1;
    }
  }
  split.open = std::string(record.substr(pieceStart));
  return split;
}

// The numbers whose exact decimal text is a piece that a "/" ends.
inline std::vector<std::int32_t> RecordedReference(std::string_view record) {
  std::vector<std::int32_t> numbers;
  for (const std::string& piece : SplitReference(record).closed) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(piece.data(), piece.data() + piece.size(), value);
    if (error == std::errc{} && end == piece.data() + piece.size() && value >= INT32_MIN && value <= INT32_MAX &&
        Decimal(value) == piece) {
      numbers.push_back(static_cast<std::int32_t>(value));
    }
  }
  return numbers;
}

// A field's text to the ASCII it stands for: full-width forms A3A1..A3FE as 0x21..0x7E,
// the ideographic space A1A1 as a space, any other two-byte character (and a lone lead
// byte at the end) as 0x80, which no rule below accepts.
inline std::string AsciiReading(std::string_view text) {
  std::string ascii;
  for (const std::size_t start : CharacterStarts(text)) {
    const auto lead = static_cast<unsigned char>(text[start]);
    if (lead < 0x80) {
      ascii.push_back(static_cast<char>(lead));
      continue;
    }
    const auto trail = start + 1 < text.size() ? static_cast<unsigned char>(text[start + 1]) : 0u;
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
      ascii.push_back(static_cast<char>(trail - 0x80));
    } else if (lead == 0xA1 && trail == 0xA1) {
      ascii.push_back(' ');
    } else {
      ascii.push_back(static_cast<char>(0x80));
    }
  }
  return ascii;
}

inline std::int32_t TextToIntReference(std::string_view text) {
  const std::string ascii = AsciiReading(text);
  std::size_t i = 0;
  while (i < ascii.size() && (ascii[i] == ' ' || (ascii[i] >= '\t' && ascii[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < ascii.size() && (ascii[i] == '+' || ascii[i] == '-')) negative = ascii[i++] == '-';
  std::uint64_t value = 0;
  for (; i < ascii.size() && ascii[i] >= '0' && ascii[i] <= '9'; ++i) {
    value = (value * 10 + static_cast<std::uint64_t>(ascii[i] - '0')) % (std::uint64_t{1} << 32);
  }
  if (negative) value = ((std::uint64_t{1} << 32) - value) % (std::uint64_t{1} << 32);
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

}  // namespace tavrilo::fuzz
