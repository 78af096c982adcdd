#include "tests/support/control_model.h"

#include "engine/draw_batch.h"
#include "engine/texts.h"

namespace tavrilo::testing {

ControlModel::ControlModel()
    : texts_{{ControlId::编辑框1, "1"},
             {ControlId::编辑框2, "44"},
             {ControlId::编辑框5, "1"},
             {ControlId::编辑框3, ""},
             {ControlId::分组框1, "\xBD\xE1\xB9\xFB  "},  // "结果  "
             {ControlId::标签1, ""}},
      checked_{{ControlId::选择框1, 1}, {ControlId::选择框2, 1}} {}

std::string ControlModel::ReadText(ControlId control) {
  ++reads_[control];
  return texts_.at(control);
}

int ControlModel::ReadChecked(ControlId control) {
  ++reads_[control];
  return checked_.at(control);
}

void ControlModel::Log(ControlId control, WriteKind kind, std::string value) {
  if (!exists_) ++writesAfterClose_;
  writes_.push_back(Write{now_, control, kind, std::move(value)});
}

void ControlModel::WriteText(ControlId control, std::string_view text) {
  texts_[control] = std::string(text);
  Log(control, WriteKind::Text, std::string(text));
}

void ControlModel::WriteCaption(ControlId control, std::string_view caption) {
  texts_[control] = std::string(caption);
  Log(control, WriteKind::Caption, std::string(caption));
}

void ControlModel::WriteVisible(ControlId control, bool visible) {
  labelVisible_ = visible;
  Log(control, WriteKind::Visible, visible ? "1" : "0");
}

void ControlModel::WriteTextColour(ControlId control, std::uint32_t colour) {
  labelColour_ = colour;
  Log(control, WriteKind::Colour, std::to_string(colour));
}

void ControlModel::DelayWithEvents(std::int32_t ms) {
  if (ms <= 0) return;
  pauses_.push_back(ms);
  const std::int64_t deadline = now_ + ms;
  while (!events_.empty() && events_.begin()->first <= deadline) {
    auto event = std::move(events_.begin()->second);
    now_ = std::max(now_, events_.begin()->first);
    events_.erase(events_.begin());
    event(*this);
  }
  now_ = deadline;
}

void ControlModel::ClickDraw() { HandleDrawClick(*this); }

void ControlModel::ClickRestart() {
  texts_[ControlId::编辑框3] = "";
  texts_[ControlId::分组框1] = std::string(kCaptionResultsHead);
}

void ControlModel::At(std::int64_t ms, std::function<void(ControlModel&)> event) {
  events_.emplace(ms, std::move(event));
}

int ControlModel::Reads(ControlId control) const {
  const auto found = reads_.find(control);
  return found == reads_.end() ? 0 : found->second;
}

}  // namespace tavrilo::testing
