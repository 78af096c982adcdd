#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/control_id.h"

namespace tavrilo {

// The window as the draw batch sees it. Texts are GB18030 byte strings, which equal
// code page 936 for every GBK character. Writes only mark controls for repainting;
// the screen follows when events are next handled.
class DrawView {
 public:
  virtual ~DrawView() = default;

  // The content of an edit box; an empty box reads as "".
  virtual std::string ReadText(ControlId control) = 0;
  // Replaces the content of an edit box without moving its caret or scrolling it.
  virtual void WriteText(ControlId control, std::string_view text) = 0;
  // 1 when the check box is checked, 0 otherwise.
  virtual int ReadChecked(ControlId control) = 0;
  virtual void WriteVisible(ControlId control, bool visible) = 0;
  virtual void WriteCaption(ControlId control, std::string_view caption) = 0;
  // Colour 0x00BBGGRR, or kDefaultColour.
  virtual void WriteTextColour(ControlId control, std::uint32_t colour) = 0;
  // Handles pending window events for ms milliseconds, leaving a quit request queued.
  // Returns at once when ms <= 0 and never earlier than the deadline otherwise.
  virtual void DelayWithEvents(std::int32_t ms) = 0;
  // False once the window has been closed; the batch then touches the view no more.
  virtual bool WindowExists() = 0;
};

}  // namespace tavrilo
