#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <QPointer>
#include <QRect>

#include "engine/draw_view.h"

class QWidget;

namespace tavrilo::ui {

class MainWindow;

// The engine's view of the live main window. Holds the window by a guarded pointer: the
// window may close, or even be destroyed, while a batch pauses, and every operation on a
// window that is gone does nothing (reads give "" and 0).
class LiveDrawView final : public DrawView {
 public:
  explicit LiveDrawView(MainWindow& window);

  std::string ReadText(ControlId control) override;
  void WriteText(ControlId control, std::string_view text) override;
  int ReadChecked(ControlId control) override;
  void WriteVisible(ControlId control, bool visible) override;
  void WriteCaption(ControlId control, std::string_view caption) override;
  void WriteTextColour(ControlId control, std::uint32_t colour) override;
  // Handles window events until ms milliseconds have passed, sleeping while none is
  // pending. A quit request stays pending for the main loop. Returns early only once the
  // window has been closed.
  void DelayWithEvents(std::int32_t ms) override;
  bool WindowExists() override;

  // The control's rectangle; left and top are relative to its parent's client area.
  QRect ReadRect(ControlId control);
  // Moves and sizes the control, left and top limited to -32627 ... 32627 and width and
  // height to 0 ... 32627.
  void WriteRect(ControlId control, std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height);
  // Selects a tab of a tab control; index is limited to the tabs that exist.
  void WriteCurrentTab(ControlId control, std::int32_t index);

 private:
  QWidget* Find(ControlId control) const;

  QPointer<MainWindow> window_;
};

}  // namespace tavrilo::ui
