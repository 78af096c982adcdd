#include <cmath>
#include <cstdint>

#include <QRect>

#include "engine/draw_batch.h"
#include "engine/random.h"
#include "engine/texts.h"
#include "engine/tick_count.h"
#include "ui/live_draw_view.h"
#include "ui/main_window.h"

namespace tavrilo::ui {

namespace {

// A double-precision result used as an integer: truncated toward zero to 64 bits, of which
// the low 32 are kept.
std::uint32_t LowBits(double value) { return static_cast<std::uint32_t>(static_cast<std::int64_t>(std::trunc(value))); }

std::int32_t AsInt32(double value) { return static_cast<std::int32_t>(LowBits(value)); }

}  // namespace

void HandleWindowCreated(MainWindow& window) {
  DrawBusy = 0;
  const auto ticks = static_cast<std::int32_t>(TickCount());
  // Both draws come from the generator as it is before seeding.
  const std::int64_t first = RandomBetween(123456, 976345);
  const std::int64_t second = RandomBetween(123456, 976345);
  SeedRandom(LowBits(static_cast<double>(ticks) + static_cast<double>(first) + static_cast<double>(second)));

  LiveDrawView view(window);
  // The label's position is inside the tab control while the tab control's is inside the
  // window, so the label lands 20 pixels below the tab control's own top.
  const QRect tabs = view.ReadRect(ControlId::选择夹1);
  view.WriteRect(ControlId::标签1, tabs.left(), AsInt32(tabs.top() + 20.0), tabs.width(),
                 AsInt32(tabs.height() - 20.0));
  view.WriteVisible(ControlId::标签1, false);
  view.WriteCurrentTab(ControlId::选择夹1, 1);
}

void HandleRestartClick(MainWindow& window) {
  LiveDrawView view(window);
  view.WriteText(ControlId::编辑框3, "");
  view.WriteCaption(ControlId::分组框1, kCaptionResultsHead);
}

}  // namespace tavrilo::ui
