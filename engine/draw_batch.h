#pragma once

#include <cstddef>

#include "engine/draw_view.h"

namespace tavrilo {

// 1 while a draw batch runs, 0 otherwise; a click during a batch is ignored.
extern int DrawBusy;

// The most bytes the record may hold: a full results box still lays out and scrolls
// without a visible stall. A batch whose next number might not fit ends as it ends when
// nothing is left to draw.
inline constexpr std::size_t kRecordLimitBytes = 100000;

// The draw button's click: draws as many numbers as the count field asks, each from a
// fresh candidate pool, with the rolling effect when it is on, appending each to the
// record and updating the drawn-count caption. recordLimit is the record's capacity.
void HandleDrawClick(DrawView& view, std::size_t recordLimit = kRecordLimitBytes);

}  // namespace tavrilo
