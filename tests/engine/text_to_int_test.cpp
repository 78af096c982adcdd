#include <gtest/gtest.h>

#include "tests/support/row_name.h"

#include "engine/text_to_int.h"

namespace tavrilo {
namespace {

struct Row {
  const char* name;
  std::string_view text;
  std::int32_t value;
};

class TextToIntTest : public ::testing::TestWithParam<Row> {};

TEST_P(TextToIntTest, ConvertsLikeTheFieldsAreRead) {
  EXPECT_EQ(TextToInt(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TextToIntTest,
    ::testing::Values(
        Row{"EmptyIsZero", "", 0},
        Row{"LettersAreZero", "abc", 0},
        Row{"StopsAtFirstNonDigit", "12abc", 12},
        Row{"FractionIsCut", "3.9", 3},
        Row{"LeadingWhiteSpaceSkipped", " \t\n\v\f\r-42", -42},
        Row{"PlusSign", "+7", 7},
        Row{"OnlyOneSign", "+-1", 0},
        Row{"SignAlone", "-", 0},
        Row{"SpaceAfterSignEnds", "- 5", 0},
        Row{"FullWidthDigits", "\xA3\xB1\xA3\xB2", 12},
        Row{"FullWidthMinus", "\xA3\xAD\xA3\xB5", -5},
        Row{"MixedWidthDigits", "1\xA3\xB2" "3", 123},
        Row{"IdeographicSpaceSkipped", "\xA1\xA1\xA1\xA1" "8", 8},
        Row{"OtherChineseCharacterIsNoDigit", "\xB8\xF6" "5", 0},
        Row{"LoneLeadByteIsNoDigit", "\xA3", 0},
        Row{"WrapsModulo2To32", "4294967297", 1},
        Row{"Beyond31BitsGoesNegative", "2147483648", INT32_MIN},
        Row{"BelowMinimumWraps", "-2147483649", INT32_MAX},
        Row{"LongDigitRunWraps", "18446744073709551621", 5}),
    testing::RowName());

}  // namespace
}  // namespace tavrilo
