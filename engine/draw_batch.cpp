#include "engine/draw_batch.h"

#include <string>
#include <utility>

#include "engine/candidate_pool.h"
#include "engine/draw_record.h"
#include "engine/random.h"
#include "engine/text_to_int.h"
#include "engine/texts.h"

namespace tavrilo {

int DrawBusy = 0;

namespace {

// What one number of a batch reads from the window; read afresh for every number.
struct NumberInputs {
  std::int32_t start;
  std::int32_t end;
  DrawRecord record;
  bool noRepeat;
};

NumberInputs ReadInputs(DrawView& view) {
  return NumberInputs{TextToInt(view.ReadText(ControlId::编辑框1)),
                      TextToInt(view.ReadText(ControlId::编辑框2)),
                      view.ReadText(ControlId::编辑框3),
                      view.ReadChecked(ControlId::选择框1) == 1};
}

// An empty pool still takes one word from the generator, so that every number of a batch
// consumes the same draws however the pool turns out.
std::uint64_t DrawPosition(const CandidatePool& pool) {
  return static_cast<std::uint64_t>(RandomBetween(1, static_cast<std::int64_t>(pool.Size())));
}

// A number can be drawn when the pool holds one and the record has room for any of them.
bool Available(const CandidatePool& pool, std::size_t recordBytes, std::size_t recordLimit) {
  return !pool.Empty() && recordBytes + pool.LongestItemBytes() <= recordLimit;
}

// "抽号结果  已抽取:" + (pieces + 1) + "个", the sum formed in double precision.
std::string CountCaption(std::int64_t pieces) {
  const double drawnCount = static_cast<double>(pieces) + 1.0;
  std::string caption(kCaptionCountPrefix);
  caption += DecimalText(static_cast<std::int64_t>(drawnCount));
  caption += kCaptionCountSuffix;
  return caption;
}

// The rolling effect for one number: five pauses of 270 ... 150 ms, each followed by a
// number from the pool, then the result in red (or "都选完啦!") for 1.5 s. Sets drawn when
// available. Returns false, having written nothing more, once the window is gone.
bool RunEffect(DrawView& view, const CandidatePool& pool, bool available, std::int32_t& drawn) {
  view.WriteVisible(ControlId::标签1, true);
  for (int k = 1; k <= 5; ++k) {
    view.DelayWithEvents((10 - k) * 30);
    if (!view.WindowExists()) return false;
    view.WriteCaption(ControlId::标签1, "");
    if (available) view.WriteCaption(ControlId::标签1, DecimalText(pool.At(DrawPosition(pool))));
  }
  if (available) {
    drawn = pool.At(DrawPosition(pool));
    view.WriteTextColour(ControlId::标签1, kRed);
    view.WriteCaption(ControlId::标签1, DecimalText(drawn));
  } else {
    view.WriteCaption(ControlId::标签1, kAllDrawn);
  }
  view.DelayWithEvents(1500);
  if (!view.WindowExists()) return false;
  view.WriteCaption(ControlId::标签1, "");
  view.WriteTextColour(ControlId::标签1, kDefaultColour);
  return true;
}

// Appends drawn to the record as it stands now and counts it in the caption. Returns false
// when the record has no room left for it.
bool RecordDrawn(DrawView& view, std::int32_t drawn, std::size_t recordLimit) {
  const DrawRecord record = view.ReadText(ControlId::编辑框3);
  DrawRecord grown = AppendDrawn(record, drawn);
  if (grown.size() > recordLimit) return false;
  view.WriteText(ControlId::编辑框3, grown);
  view.WriteCaption(ControlId::分组框1, CountCaption(CountDrawnItems(record)));
  return true;
}

// The rest of a batch once the effect is off: no events are handled from here on, so
// nothing but the batch itself changes the window. The record, its pieces and the pool are
// therefore kept up to date here instead of being read and rebuilt for every number, and
// the window is written once at the end: the same record and caption, in linear time.
void DrawQuietly(DrawView& view, NumberInputs inputs, CandidatePool pool, std::uint64_t position,
                 std::int64_t numbersLeft, std::size_t recordLimit) {
  DrawRecord record = std::move(inputs.record);
  if (!Available(pool, record.size(), recordLimit)) return;
  RecordScan scan;
  scan.Feed(record);
  std::int64_t piecesBeforeLast = 0;
  while (true) {
    const std::int32_t drawn = pool.At(position);
    const std::string digits = DecimalText(drawn);
    piecesBeforeLast = scan.Pieces();
    // The new item is whatever stood after the last separator followed by the digits;
    // after the first append that is the drawn number itself.
    std::int32_t recorded = drawn;
    if (inputs.noRepeat && (scan.Tail().empty() || ParseItem(scan.Tail() + digits, recorded))) {
      pool.Exclude(recorded);
    }
    record += digits;
    record += '/';
    scan.Feed(digits);
    scan.Feed("/");
    if (--numbersLeft == 0) break;
    position = DrawPosition(pool);
    if (!Available(pool, record.size(), recordLimit)) break;
  }
  view.WriteText(ControlId::编辑框3, record);
  view.WriteCaption(ControlId::分组框1, CountCaption(piecesBeforeLast));
}

// Runs the numbers of one batch. Returns false when the window went away during it.
bool RunBatch(DrawView& view, std::size_t recordLimit) {
  const std::int32_t count = TextToInt(view.ReadText(ControlId::编辑框5));
  for (std::int64_t i = 1; i <= count; ++i) {
    NumberInputs inputs = ReadInputs(view);
    CandidatePool pool = BuildCandidatePool(inputs.record, inputs.start, inputs.end, inputs.noRepeat);
    const std::uint64_t index = DrawPosition(pool);
    const bool available = Available(pool, inputs.record.size(), recordLimit);
    if (view.ReadChecked(ControlId::选择框2) != 1) {
      DrawQuietly(view, std::move(inputs), std::move(pool), index, count - i + 1, recordLimit);
      return true;
    }
    std::int32_t drawn = 0;
    if (!RunEffect(view, pool, available, drawn)) return false;
    if (!available || !RecordDrawn(view, drawn, recordLimit)) break;
  }
  return true;
}

}  // namespace

void HandleDrawClick(DrawView& view, std::size_t recordLimit) {
  if (DrawBusy != 0) return;
  DrawBusy = 1;
  struct ClearBusy {
    ~ClearBusy() { DrawBusy = 0; }
  } clearBusy;
  if (RunBatch(view, recordLimit)) view.WriteVisible(ControlId::标签1, false);
}

}  // namespace tavrilo
