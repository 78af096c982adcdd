#include <gtest/gtest.h>

#include "tests/support/row_name.h"

#include <random>
#include <vector>

#include "bench/reference_pool.h"
#include "engine/candidate_pool.h"

namespace tavrilo {
namespace {

std::vector<std::int32_t> Listed(const CandidatePool& pool) {
  std::vector<std::int32_t> numbers;
  for (std::uint64_t p = 1; p <= pool.Size(); ++p) numbers.push_back(pool.At(p));
  return numbers;
}

struct Row {
  const char* name;
  std::string_view record;
  std::int32_t start;
  std::int32_t end;
  bool noRepeat;
  std::vector<std::int32_t> pool;
};

class BuildCandidatePoolTest : public ::testing::TestWithParam<Row> {};

TEST_P(BuildCandidatePoolTest, ListsTheNumbersThatMayBeDrawn) {
  const Row& row = GetParam();
  EXPECT_EQ(Listed(BuildCandidatePool(row.record, row.start, row.end, row.noRepeat)), row.pool);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BuildCandidatePoolTest,
    ::testing::Values(
        Row{"SingleNumberRange", "", 5, 5, true, {5}},
        Row{"SingleNumberRangeWithRepeats", "", 5, 5, false, {5}},
        Row{"RepeatsAllowedKeepTheRangeStart", "12/", 10, 13, false, {10, 11, 12, 13}},
        Row{"RecordedNumbersLeaveGaps", "12/15/", 10, 20, true, {10, 11, 13, 14, 16, 17, 18, 19, 20}},
        Row{"StartAboveEndIsEmpty", "", 3, 2, true, {}},
        Row{"StartAboveEndIsEmptyWithRepeats", "", 3, 2, false, {}},
        Row{"EverythingRecordedIsEmpty", "2/1/3/", 1, 3, true, {}},
        Row{"NumbersOutsideTheRangeHaveNoEffect", "0/4/-1/", 1, 3, true, {1, 2, 3}},
        Row{"ItemsCompareAsText", "01/2 /", 1, 3, true, {1, 2, 3}},
        Row{"NegativeRange", "-2/", -3, -1, true, {-3, -1}},
        Row{"DuplicateItemsLeaveOneGap", "2/2/2/", 1, 3, true, {1, 3}}),
    testing::RowName());

TEST(CandidatePoolTest, FullThirtyTwoBitRangeHoldsEveryNumber) {
  for (const bool noRepeat : {true, false}) {
    const CandidatePool pool = BuildCandidatePool("0/-2147483648/", INT32_MIN, INT32_MAX, noRepeat);
    const std::uint64_t all = std::uint64_t{1} << 32;
    EXPECT_EQ(pool.Size(), noRepeat ? all - 2 : all);
    EXPECT_EQ(pool.At(1), noRepeat ? INT32_MIN + 1 : INT32_MIN);
    EXPECT_EQ(pool.At(pool.Size()), INT32_MAX);
  }
}

TEST(CandidatePoolTest, ExcludeTakesOnlyNumbersOfTheRange) {
  CandidatePool pool(1, 5);
  pool.Exclude(3);
  pool.Exclude(3);
  pool.Exclude(9);
  EXPECT_EQ(Listed(pool), (std::vector<std::int32_t>{1, 2, 4, 5}));
}

TEST(CandidatePoolTest, LongestItemComesFromEitherEnd) {
  EXPECT_EQ(CandidatePool(-5, 100).LongestItemBytes(), 4u);    // "100/"
  EXPECT_EQ(CandidatePool(-500, 10).LongestItemBytes(), 5u);   // "-500/"
  EXPECT_EQ(CandidatePool(INT32_MIN, 0).LongestItemBytes(), 12u);
}

// Random records over an alphabet rich in separators, signs, zeros and two-byte lead bytes,
// against the straightforward listing that searches the record for every number.
TEST(CandidatePoolTest, AgreesWithStraightforwardListingOnRandomRecords) {
  const std::vector<std::string> alphabet = {"0", "1", "2", "9", "-", "/", "//", "1/", "\x81", "\xB3\xE9", "a"};
  std::mt19937 gen(20261211);
  for (int round = 0; round < 3000; ++round) {
    std::string record;
    const int pieces = static_cast<int>(gen() % 24);
    for (int i = 0; i < pieces; ++i) record += alphabet[gen() % alphabet.size()];
    const auto start = static_cast<std::int32_t>(gen() % 60) - 30;
    const auto end = start + static_cast<std::int32_t>(gen() % 300) - 20;
    const bool noRepeat = gen() % 4 != 0;
    ASSERT_EQ(Listed(BuildCandidatePool(record, start, end, noRepeat)),
              reference::ListCandidates(record, start, end, noRepeat))
        << "record '" << record << "' range " << start << ".." << end << " noRepeat " << noRepeat;
  }
}

// A span that is no multiple of the bucket width, filled far enough to be re-cut several times.
TEST(ExcludedSetTest, FindsEveryGapWhileBucketsAreRecut) {
  const std::uint32_t span = 5003;
  ExcludedSet set(span);
  std::vector<bool> member(span, false);
  std::mt19937 gen(7);
  for (int round = 0; round < 4; ++round) {
    for (int i = 0; i < 1000; ++i) {
      const auto offset = static_cast<std::uint32_t>(gen() % span);
      EXPECT_EQ(set.Insert(offset), !member[offset]);
      member[offset] = true;
    }
    std::uint64_t p = 0;
    for (std::uint32_t offset = 0; offset < span; ++offset) {
      ASSERT_EQ(set.Contains(offset), member[offset]);
      if (!member[offset]) {
        ASSERT_EQ(set.NthAbsent(++p), offset);
      }
    }
    ASSERT_EQ(p, span - set.Size());
  }
}

}  // namespace
}  // namespace tavrilo
