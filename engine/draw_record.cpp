#include "engine/draw_record.h"

#include <charconv>

namespace tavrilo {

std::string DecimalText(std::int64_t n) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, n);
  return std::string(digits, result.ptr);
}

DrawRecord AppendDrawn(std::string_view record, std::int32_t n) {
  DrawRecord out;
  const std::string item = DecimalText(n);
  out.reserve(record.size() + item.size() + 1);
  out.append(record).append(item).push_back('/');
  return out;
}

bool RecordContains(std::string_view record, std::int32_t n) {
  // Searches "/" + record without building it: the leading "/" is virtual.
  const std::string digits = DecimalText(n);
  const auto itemAt = [&](std::size_t from) {
    return record.substr(from, digits.size()) == digits && record.substr(from + digits.size(), 1) == "/";
  };
  if (itemAt(0)) return true;
  for (std::size_t i = 0; i < record.size();) {
    if (static_cast<unsigned char>(record[i]) >= 0x80) {
      i += 2;  // a match never begins on the second byte of a character
      continue;
    }
    if (record[i] == '/' && itemAt(i + 1)) return true;
    ++i;
  }
  return false;
}

std::int64_t CountDrawnItems(std::string_view record) {
  RecordScan scan;
  scan.Feed(record);
  return scan.Pieces();
}

void RecordScan::Feed(std::string_view bytes) {
  for (const char c : bytes) {
    if (midCharacter_) {
      midCharacter_ = false;
      tail_.push_back(c);
    } else if (c == '/') {
      ++separators_;
      tail_.clear();
    } else {
      midCharacter_ = static_cast<unsigned char>(c) >= 0x80;
      tail_.push_back(c);
    }
  }
}

bool ParseItem(std::string_view item, std::int32_t& value) {
  const bool negative = !item.empty() && item.front() == '-';
  const std::string_view digits = negative ? item.substr(1) : item;
  if (digits.empty() || digits.size() > 10) return false;
  if (digits.front() == '0' && (digits.size() > 1 || negative)) return false;  // "07", "-0" are not numbers' texts
  std::int64_t magnitude = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return false;
    magnitude = magnitude * 10 + (c - '0');
  }
  const std::int64_t signedValue = negative ? -magnitude : magnitude;
  if (signedValue < INT32_MIN || signedValue > INT32_MAX) return false;
  value = static_cast<std::int32_t>(signedValue);
  return true;
}

}  // namespace tavrilo
