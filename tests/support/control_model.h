#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/draw_view.h"

namespace tavrilo::testing {

// An in-memory window for the draw engine: the controls' state as the form leaves it after
// start-up, a virtual clock, and events scripted for given moments. DelayWithEvents advances
// the clock at once, running every scripted event that falls inside the pause.
class ControlModel : public DrawView {
 public:
  enum class WriteKind { Text, Caption, Visible, Colour };
  struct Write {
    std::int64_t at;  // virtual milliseconds
    ControlId control;
    WriteKind kind;
    std::string value;  // text or caption; "1"/"0" for visibility; decimal for colours
  };

  ControlModel();

  // The draw engine's view.
  std::string ReadText(ControlId control) override;
  void WriteText(ControlId control, std::string_view text) override;
  int ReadChecked(ControlId control) override;
  void WriteVisible(ControlId control, bool visible) override;
  void WriteCaption(ControlId control, std::string_view caption) override;
  void WriteTextColour(ControlId control, std::uint32_t colour) override;
  void DelayWithEvents(std::int32_t ms) override;
  bool WindowExists() override { return exists_; }

  // What the user does, now or at a moment of the virtual clock.
  void Type(ControlId field, std::string text) { texts_[field] = std::move(text); }
  void SetChecked(ControlId box, bool checked) { checked_[box] = checked ? 1 : 0; }
  void ClickDraw();
  void ClickRestart();
  void Close() { exists_ = false; }
  void At(std::int64_t ms, std::function<void(ControlModel&)> event);

  // What the engine left behind.
  const std::string& Text(ControlId control) const { return texts_.at(control); }
  bool LabelVisible() const { return labelVisible_; }
  std::uint32_t LabelColour() const { return labelColour_; }
  std::int64_t Now() const { return now_; }
  const std::vector<std::int32_t>& Pauses() const { return pauses_; }
  const std::vector<Write>& Writes() const { return writes_; }
  int Reads(ControlId control) const;
  int WritesAfterClose() const { return writesAfterClose_; }

 private:
  void Log(ControlId control, WriteKind kind, std::string value);

  std::map<ControlId, std::string> texts_;  // contents of edit boxes, captions of the rest
  std::map<ControlId, int> checked_;
  std::map<ControlId, int> reads_;
  bool labelVisible_ = false;
  std::uint32_t labelColour_ = 0;
  bool exists_ = true;
  std::int64_t now_ = 0;
  std::multimap<std::int64_t, std::function<void(ControlModel&)>> events_;
  std::vector<std::int32_t> pauses_;
  std::vector<Write> writes_;
  int writesAfterClose_ = 0;
};

}  // namespace tavrilo::testing
