#include <gtest/gtest.h>

#include "tests/support/row_name.h"

#include "engine/draw_record.h"

namespace tavrilo {
namespace {

struct ContainsRow {
  const char* name;
  std::string_view record;
  std::int32_t number;
  bool contained;
};

class RecordContainsTest : public ::testing::TestWithParam<ContainsRow> {};

TEST_P(RecordContainsTest, MatchesWholeItemsAtCharacterStarts) {
  const ContainsRow& row = GetParam();
  EXPECT_EQ(RecordContains(row.record, row.number), row.contained);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RecordContainsTest,
    ::testing::Values(
        ContainsRow{"EmptyRecordHoldsNothing", "", 0, false},
        ContainsRow{"FirstItemMatches", "7/23/", 7, true},
        ContainsRow{"LastItemMatches", "7/23/", 23, true},
        ContainsRow{"PartOfAnItemDoesNotMatch", "7/23/", 3, false},
        ContainsRow{"PrefixOfAnItemDoesNotMatch", "7/23/", 2, false},
        ContainsRow{"LeadingZeroIsAnotherText", "07/", 7, false},
        ContainsRow{"NegativeItemMatchesWithSign", "-3/", -3, true},
        ContainsRow{"NegativeItemIsNotItsMagnitude", "-3/", 3, false},
        ContainsRow{"ItemWithoutSlashIsNoItem", "7 23", 7, false},
        ContainsRow{"UnterminatedLastItemIsNoItem", "7/23", 23, false},
        ContainsRow{"SlashAsSecondByteIsNoSeparator", "\x81/5/", 5, false},
        ContainsRow{"ItemAfterTwoByteCharacterMatches", "\xB3\xE9/5/", 5, true},
        ContainsRow{"ItemAfterFourByteCharacterMatches", "\x81\x30\x81\x30/5/", 5, true},
        ContainsRow{"LoneLeadByteAtEndEndsScan", "5/\x81", 5, true},
        ContainsRow{"SmallestNumber", "-2147483648/", INT32_MIN, true}),
    testing::RowName());

struct CountRow {
  const char* name;
  std::string_view record;
  std::int64_t pieces;
};

class CountDrawnItemsTest : public ::testing::TestWithParam<CountRow> {};

TEST_P(CountDrawnItemsTest, SplitsAtSlashesThatStartACharacter) {
  EXPECT_EQ(CountDrawnItems(GetParam().record), GetParam().pieces);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CountDrawnItemsTest,
    ::testing::Values(CountRow{"EmptyRecordHasNoPieces", "", 0},
                      CountRow{"ProgramWrittenRecord", "7/23/", 2},
                      CountRow{"TextAfterLastSlashIsAPiece", "7/23", 2},
                      CountRow{"EmptyPiecesCount", "3//4/", 3},
                      CountRow{"LeadingSlashGivesEmptyPiece", "/7/", 2},
                      CountRow{"HandTypedTextIsOnePiece", "abc", 1},
                      CountRow{"SlashAsSecondByteIsNoSeparator", "\x81/", 1},
                      CountRow{"LoneLeadByteAtEndStillFormsAPiece", "7/\x81", 2}),
    testing::RowName());

TEST(AppendDrawnTest, AddsDecimalTextAndSlashKeepingEveryByte) {
  EXPECT_EQ(AppendDrawn("", -3), "-3/");
  EXPECT_EQ(AppendDrawn("7/23/", 5), "7/23/5/");
  EXPECT_EQ(AppendDrawn("", INT32_MIN), "-2147483648/");
  // A four-byte GB18030 character and a lone lead byte stay as they were.
  EXPECT_EQ(AppendDrawn("\x95\x32\x82\x36", 0), "\x95\x32\x82\x36" "0/");
  EXPECT_EQ(AppendDrawn("\x81", 12), "\x81" "12/");
}

TEST(RecordScanTest, FedInChunksCountsLikeOneScan) {
  // A lead byte at the end of one chunk takes its partner from the next.
  for (const std::string_view record : {"7/\x81/5/", "\xB3\xE9/12//x", "abc/", "/"}) {
    for (std::size_t cut = 0; cut <= record.size(); ++cut) {
      RecordScan scan;
      scan.Feed(record.substr(0, cut));
      scan.Feed(record.substr(cut));
      EXPECT_EQ(scan.Pieces(), CountDrawnItems(record)) << record << " cut at " << cut;
    }
  }
}

}  // namespace
}  // namespace tavrilo
