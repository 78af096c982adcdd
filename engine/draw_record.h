#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tavrilo {

// The record of drawn numbers is the text of the results box: code page 936 bytes,
// as the program writes it a run of items "n/". Scans step over two-byte characters
// (any byte >= 0x80 starts one), and a lone lead byte at the end ends the scan.
using DrawRecord = std::string;

// Signed decimal text of n, without leading zeros.
std::string DecimalText(std::int64_t n);

// record + decimal text of n + "/". The bytes already in record are kept as they are.
DrawRecord AppendDrawn(std::string_view record, std::int32_t n);

// True when "/n/" occurs in "/" + record at the start of a character.
bool RecordContains(std::string_view record, std::int32_t n);

// The number of pieces that splitting record at "/" yields: every "/" ends a piece
// (empty ones too), and non-empty text after the last "/" makes one more.
std::int64_t CountDrawnItems(std::string_view record);

// Reads a record a chunk at a time and keeps what later appends need to know:
// the pieces so far and the text after the last separator.
class RecordScan {
 public:
  void Feed(std::string_view bytes);
  std::int64_t Pieces() const { return separators_ + (tail_.empty() ? 0 : 1); }
  // Text after the last "/" that begins a character ("/" + record's view).
  const std::string& Tail() const { return tail_; }

 private:
  std::int64_t separators_ = 0;
  std::string tail_;
  bool midCharacter_ = false;  // the last byte fed was a lead byte still waiting for its partner
};

// Calls visit(n) for every 32-bit number n with RecordContains(record, n), in record order
// (a number may be visited more than once). One pass over the record.
template <typename Visit>
void ForEachRecordedNumber(std::string_view record, Visit visit);

// The number that the text between two separators stands for, if it is the exact decimal
// text of a 32-bit integer; otherwise false.
bool ParseItem(std::string_view item, std::int32_t& value);

template <typename Visit>
void ForEachRecordedNumber(std::string_view record, Visit visit) {
  // An item starts after a separator at a character start (or at the very beginning, which
  // the virtual leading "/" makes a separator) and ends at the next "/". Items are plain ASCII,
  // so any byte >= 0x80 in between spoils the item and is stepped over with its partner.
  std::size_t itemStart = 0;
  bool itemClean = true;
  for (std::size_t i = 0; i < record.size();) {
    const auto byte = static_cast<unsigned char>(record[i]);
    if (byte >= 0x80) {
      itemClean = false;
      i += 2;
      continue;
    }
    if (byte == '/') {
      std::int32_t value = 0;
      if (itemClean && ParseItem(record.substr(itemStart, i - itemStart), value)) visit(value);
      itemStart = i + 1;
      itemClean = true;
    }
    ++i;
  }
}

}  // namespace tavrilo
