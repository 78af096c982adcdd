#pragma once

#include <cstdint>

namespace tavrilo {

// The identifiers by which the program addresses the main window and its fifteen controls.
// The enumerators carry the controls' form names, which are also their Qt object names.
enum class ControlId : std::uint32_t {
  MainWindow = 0x52010001,
  分组框1 = 0x160100D2,    // results group box
  编辑框3 = 0x160100D3,    // results box: the record of drawn numbers
  标签1 = 0x16010044,      // effect label
  选择框2 = 0x1601003F,    // effect check box
  编辑框5 = 0x16010035,    // per-click count field
  透明标签4 = 0x16010034,  // "个" behind the count field
  透明标签3 = 0x16010033,  // "每次抽取:" before the count field
  选择框1 = 0x16010032,    // no-repeat check box
  按钮2 = 0x1601001E,      // restart button
  按钮1 = 0x1601001B,      // draw button
  编辑框2 = 0x16010019,    // end field
  透明标签2 = 0x1601001A,  // "结束:"
  编辑框1 = 0x16010018,    // start field
  透明标签1 = 0x16010017,  // "开始:"
  选择夹1 = 0x16010002,    // tab control
};

// Colours are 0x00BBGGRR; kDefaultColour asks for the toolkit's own colour
// (button face as a background, black as the effect label's text).
inline constexpr std::uint32_t kRed = 0x000000FF;
inline constexpr std::uint32_t kDefaultColour = 0xFF000000;

}  // namespace tavrilo
