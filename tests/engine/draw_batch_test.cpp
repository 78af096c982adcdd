#include <gtest/gtest.h>

#include "tests/support/row_name.h"

#include <algorithm>
#include <set>
#include <vector>

#include "engine/candidate_pool.h"
#include "engine/draw_batch.h"
#include "engine/random.h"
#include "engine/text_to_int.h"
#include "engine/texts.h"
#include "tests/support/control_model.h"

namespace tavrilo {
namespace {

using testing::ControlModel;
using Kind = ControlModel::WriteKind;

const std::string kFormCaption = "\xBD\xE1\xB9\xFB  ";  // "结果  "

std::string CountCaption(int n) {
  return std::string(kCaptionCountPrefix) + std::to_string(n) + std::string(kCaptionCountSuffix);
}

// The numbers of a record that the program wrote, in order.
std::vector<std::int32_t> Items(const std::string& record) {
  std::vector<std::int32_t> items;
  std::size_t from = 0;
  for (std::size_t slash; (slash = record.find('/', from)) != std::string::npos; from = slash + 1)
    items.push_back(TextToInt(record.substr(from, slash - from)));
  return items;
}

// A model with the form's defaults, a seeded generator and an idle engine.
class DrawBatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = ReplaceProcessRandom(std::make_unique<SeededRandom>(1234));
    DrawBusy = 0;
  }
  void TearDown() override { ReplaceProcessRandom(std::move(previous_)); }

  void Setup(std::string_view start, std::string_view end, std::string_view count, bool noRepeat,
             bool effect, std::string_view record = "") {
    model = ControlModel();
    model.Type(ControlId::编辑框1, std::string(start));
    model.Type(ControlId::编辑框2, std::string(end));
    model.Type(ControlId::编辑框5, std::string(count));
    model.Type(ControlId::编辑框3, std::string(record));
    model.SetChecked(ControlId::选择框1, noRepeat);
    model.SetChecked(ControlId::选择框2, effect);
  }
  const std::string& Record() const { return model.Text(ControlId::编辑框3); }
  const std::string& Caption() const { return model.Text(ControlId::分组框1); }
  std::vector<std::string> LabelCaptions() const {
    std::vector<std::string> captions;
    for (const auto& w : model.Writes())
      if (w.control == ControlId::标签1 && w.kind == Kind::Caption) captions.push_back(w.value);
    return captions;
  }

  ControlModel model;

 private:
  std::unique_ptr<RandomSource> previous_;
};

struct NothingRow {
  const char* name;
  std::string_view start, end, count;
};

class DrawNothingTest : public DrawBatchTest, public ::testing::WithParamInterface<NothingRow> {};

TEST_P(DrawNothingTest, LeavesRecordAndCaptionAsTheyWere) {
  const NothingRow& row = GetParam();
  for (const bool effect : {false, true}) {
    Setup(row.start, row.end, row.count, true, effect, "7/");
    model.ClickDraw();
    EXPECT_EQ(Record(), "7/");
    EXPECT_EQ(Caption(), kFormCaption);
    EXPECT_FALSE(model.LabelVisible());
    EXPECT_EQ(DrawBusy, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DrawNothingTest,
    ::testing::Values(NothingRow{"EmptyCount", "1", "44", ""}, NothingRow{"ZeroCount", "1", "44", "0"},
                      NothingRow{"NegativeCount", "1", "44", "-2"},
                      NothingRow{"LettersForCount", "1", "44", "abc"},
                      NothingRow{"FullWidthZeroCount", "1", "44", "\xA3\xB0"},
                      NothingRow{"StartAboveEnd", "9", "3", "2"},
                      NothingRow{"EveryNumberRecorded", "7", "7", "1"}),
    testing::RowName());

TEST_F(DrawBatchTest, AppendsDrawnNumberAndCountsPiecesBeforeTheAppend) {
  struct Row {
    std::string_view record;
    int caption;
  };
  for (const Row& row : {Row{"7/23/", 3}, Row{"abc", 2}, Row{"3//4/", 4}, Row{"", 1}}) {
    Setup("5", "5", "1", false, false, row.record);
    model.ClickDraw();
    EXPECT_EQ(Record(), std::string(row.record) + "5/");
    EXPECT_EQ(Caption(), CountCaption(row.caption)) << row.record;
  }
}

TEST_F(DrawBatchTest, NoRepeatBatchStopsWhenTheRangeIsUsedUp) {
  Setup("1", "3", "5", true, false);
  model.ClickDraw();
  std::vector<std::int32_t> items = Items(Record());
  std::sort(items.begin(), items.end());
  EXPECT_EQ(items, (std::vector<std::int32_t>{1, 2, 3}));
  EXPECT_EQ(Caption(), CountCaption(3));
}

TEST_F(DrawBatchTest, RepeatsAllowedDrawFromTheRangeItself) {
  Setup("10", "20", "400", false, false);
  model.ClickDraw();
  const std::vector<std::int32_t> items = Items(Record());
  ASSERT_EQ(items.size(), 400u);
  EXPECT_EQ(std::set<std::int32_t>(items.begin(), items.end()).size(), 11u);
  EXPECT_EQ(*std::min_element(items.begin(), items.end()), 10);
  EXPECT_EQ(*std::max_element(items.begin(), items.end()), 20);
}

TEST_F(DrawBatchTest, FullThirtyTwoBitRangeDrawsInBothModes) {
  for (const bool noRepeat : {true, false}) {
    Setup("-2147483648", "2147483647", "3", noRepeat, false);
    model.ClickDraw();
    EXPECT_EQ(Items(Record()).size(), 3u);
  }
}

// The batch keeps its own running copy of the record once the effect is off; drawing the
// same numbers one click at a time must give the same record and caption, including records
// whose last, unterminated piece joins the first number drawn.
TEST_F(DrawBatchTest, QuietBatchEqualsOneNumberPerClick) {
  struct Row {
    std::string_view start, end, record;
    bool noRepeat;
  };
  const Row rows[] = {{"1", "30", "", true},      {"1", "30", "1", true},   {"1", "30", "7/2", true},
                      {"1", "30", "abc", true},   {"1", "12", "\x81", true}, {"-9", "9", "-", true},
                      {"1", "30", "1", false},    {"0", "5", "3//", true},  {"1", "8", "5/1", true}};
  for (const Row& row : rows) {
    Setup(row.start, row.end, "20", row.noRepeat, false, row.record);
    SeedRandom(77);
    model.ClickDraw();
    const std::string batchRecord = Record();
    const std::string batchCaption = Caption();

    Setup(row.start, row.end, "1", row.noRepeat, false, row.record);
    SeedRandom(77);
    for (int i = 0; i < 20; ++i) model.ClickDraw();
    EXPECT_EQ(batchRecord, Record()) << row.record;
    EXPECT_EQ(batchCaption, Caption()) << row.record;
  }
}

TEST_F(DrawBatchTest, RecordNeverGrowsPastItsLimit) {
  Setup("1", "9", "2147483647", false, false);
  HandleDrawClick(model, 101);
  EXPECT_EQ(Record().size(), 100u);  // fifty "n/" items; a fifty-first would pass 101
  EXPECT_EQ(Caption(), CountCaption(50));

  Setup("1", "1000", "5", false, true, std::string(95, 'x'));
  HandleDrawClick(model, 99);
  EXPECT_EQ(Record(), std::string(95, 'x'));  // "1000/" might not fit: the batch ends as if nothing were left
  EXPECT_EQ(LabelCaptions()[5], kAllDrawn);
}

TEST_F(DrawBatchTest, EffectPausesRollsPoolNumbersAndShowsResultInRed) {
  Setup("10", "20", "2", true, true, "12/15/");
  model.ClickDraw();
  EXPECT_EQ(model.Pauses(), (std::vector<std::int32_t>{270, 240, 210, 180, 150, 1500,
                                                        270, 240, 210, 180, 150, 1500}));
  const std::vector<std::int32_t> items = Items(Record());
  ASSERT_EQ(items.size(), 4u);
  // Rolled numbers are members of the pool, never bare positions or recorded numbers.
  const std::set<std::string> pool = {"10", "11", "13", "14", "16", "17", "18", "19", "20"};
  for (const std::string& caption : LabelCaptions())
    if (!caption.empty()) {
      EXPECT_TRUE(pool.count(caption)) << caption;
    }
  // The result is shown in red, then the colour goes back to the default.
  std::vector<std::string> colours;
  for (const auto& w : model.Writes())
    if (w.kind == Kind::Colour) colours.push_back(w.value);
  EXPECT_EQ(colours, (std::vector<std::string>{"255", "4278190080", "255", "4278190080"}));
  EXPECT_FALSE(model.LabelVisible());
  EXPECT_EQ(model.LabelColour(), kDefaultColour);
  EXPECT_EQ(Caption(), CountCaption(4));
}

TEST_F(DrawBatchTest, EffectLabelStaysShownAndBlankBetweenNumbers) {
  Setup("1", "44", "2", true, true);
  model.At(2549, [](ControlModel& m) { EXPECT_TRUE(m.LabelVisible()); });
  model.ClickDraw();
  std::vector<std::string> visibility;
  for (const auto& w : model.Writes())
    if (w.kind == Kind::Visible) visibility.push_back(w.value);
  EXPECT_EQ(visibility, (std::vector<std::string>{"1", "1", "0"}));
  // The first number's effect ends on a blank caption before the second begins.
  const std::vector<std::string> captions = LabelCaptions();
  EXPECT_EQ(captions.size(), 2 * (5 * 2 + 2u));
  EXPECT_EQ(captions[11], "");
}

TEST_F(DrawBatchTest, EmptyPoolShowsAllDrawnWithoutRed) {
  Setup("9", "3", "2", true, true);
  model.ClickDraw();
  EXPECT_EQ(model.Pauses(), (std::vector<std::int32_t>{270, 240, 210, 180, 150, 1500}));
  EXPECT_EQ(LabelCaptions(), (std::vector<std::string>{"", "", "", "", "", std::string(kAllDrawn), ""}));
  for (const auto& w : model.Writes()) EXPECT_NE(w.value, "255");
  EXPECT_EQ(Record(), "");
  EXPECT_EQ(Caption(), kFormCaption);
  EXPECT_FALSE(model.LabelVisible());
}

// Events that arrive while the effect pauses.
TEST_F(DrawBatchTest, SecondClickDuringEffectIsIgnored) {
  Setup("1", "44", "1", true, true);
  model.At(100, [](ControlModel& m) { m.ClickDraw(); });
  model.At(2000, [](ControlModel& m) { m.ClickDraw(); });
  model.ClickDraw();
  EXPECT_EQ(Items(Record()).size(), 1u);
  EXPECT_EQ(model.Pauses().size(), 6u);
  EXPECT_EQ(DrawBusy, 0);
}

TEST_F(DrawBatchTest, RestartDuringEffectContinuesOnClearedRecord) {
  Setup("1", "44", "2", true, true, "5/9/");
  model.At(1000, [](ControlModel& m) { m.ClickRestart(); });
  model.ClickDraw();
  EXPECT_EQ(Items(Record()).size(), 2u);
  std::vector<std::string> captions;
  for (const auto& w : model.Writes())
    if (w.control == ControlId::分组框1) captions.push_back(w.value);
  EXPECT_EQ(captions, (std::vector<std::string>{CountCaption(1), CountCaption(2)}));
}

TEST_F(DrawBatchTest, EditsDuringEffectApplyToTheNextNumberButNotTheCount) {
  Setup("1", "44", "2", true, true);
  model.At(2000, [](ControlModel& m) {
    m.Type(ControlId::编辑框1, "100");
    m.Type(ControlId::编辑框2, "100");
    m.Type(ControlId::编辑框5, "9");
  });
  model.ClickDraw();
  const std::vector<std::int32_t> items = Items(Record());
  ASSERT_EQ(items.size(), 2u);
  EXPECT_LE(items[0], 44);
  EXPECT_EQ(items[1], 100);
  EXPECT_EQ(model.Reads(ControlId::编辑框5), 1);
}

TEST_F(DrawBatchTest, ClearingEffectMidBatchKeepsLabelShownBlankUntilTheEnd) {
  Setup("1", "44", "3", true, true);
  model.At(2000, [](ControlModel& m) { m.SetChecked(ControlId::选择框2, false); });
  model.ClickDraw();
  EXPECT_EQ(Items(Record()).size(), 3u);
  EXPECT_EQ(model.Pauses().size(), 6u);
  EXPECT_EQ(LabelCaptions().back(), "");
  EXPECT_FALSE(model.LabelVisible());
}

TEST_F(DrawBatchTest, ClosingDuringEffectEndsBatchQuietly) {
  for (const std::int64_t closeAt : {100, 1300, 2549, 3000}) {
    Setup("1", "44", "2", true, true, "8/");
    model.At(closeAt, [](ControlModel& m) { m.Close(); });
    model.ClickDraw();
    EXPECT_EQ(model.WritesAfterClose(), 0) << closeAt;
    EXPECT_EQ(Items(Record()).size(), closeAt < 2550 ? 1u : 2u) << closeAt;
    EXPECT_EQ(DrawBusy, 0);
  }
}

}  // namespace
}  // namespace tavrilo
