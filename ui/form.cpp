#include "ui/form.h"

#include <algorithm>

namespace tavrilo::ui {

namespace {

constexpr std::uint32_t kBlack = 0x00000000;
constexpr std::uint32_t kWhite = 0x00FFFFFF;
constexpr auto kPlatform = std::nullopt;

}  // namespace

const WindowDescriptor kWindowForm = {
    ControlId::MainWindow, "Tavrilo", 455, 444, kDefaultColour, ":/icons/tavrilo.png",
};

// clang-format off
const std::array<ControlDescriptor, 15> kControlForms = {{
  // name        type                      id                   parent                left top  w    h    vis   tab    text              font colours                  multi  checked opaque align            accessible
  {"分组框1",   ControlType::GroupBox,   ControlId::分组框1,   ControlId::MainWindow, 0,   240, 448, 176, true, false, "结果  ",          0,   kBlack, kDefaultColour, false, false, false, TextAlign::Left,   ""},
  {"编辑框3",   ControlType::EditBox,    ControlId::编辑框3,   ControlId::分组框1,    8,   16,  432, 152, true, true,  "",                -20, kBlack, kWhite,         true,  false, false, TextAlign::Left,   "结果"},
  {"标签1",     ControlType::Label,      ControlId::标签1,     ControlId::选择夹1,    570, 96,  224, 192, true, false, "",                -96, kBlack, kDefaultColour, false, false, true,  TextAlign::Centre, ""},
  {"选择框2",   ControlType::CheckBox,   ControlId::选择框2,   ControlId::选择夹1,    328, 120, 104, 32,  true, true,  "摇号特效",        -16, kBlack, kDefaultColour, false, true,  false, TextAlign::Left,   ""},
  {"编辑框5",   ControlType::EditBox,    ControlId::编辑框5,   ControlId::选择夹1,    240, 120, 48,  32,  true, true,  "1",               0,   kBlack, kWhite,         false, false, false, TextAlign::Centre, "每次抽取:"},
  {"透明标签4", ControlType::TransLabel, ControlId::透明标签4, ControlId::选择夹1,    296, 112, 56,  48,  true, false, "个",              -19, kBlack, kPlatform,      false, false, false, TextAlign::Left,   ""},
  {"透明标签3", ControlType::TransLabel, ControlId::透明标签3, ControlId::选择夹1,    168, 112, 80,  48,  true, false, "每次抽取:",       -16, kBlack, kPlatform,      false, false, false, TextAlign::Left,   ""},
  {"选择框1",   ControlType::CheckBox,   ControlId::选择框1,   ControlId::选择夹1,    56,  120, 104, 32,  true, true,  "不允许重复",      -16, kBlack, kDefaultColour, false, true,  false, TextAlign::Left,   ""},
  {"按钮2",     ControlType::Button,     ControlId::按钮2,     ControlId::选择夹1,    280, 184, 96,  40,  true, true,  "重新开始",        0,   kPlatform, kPlatform,   false, false, false, TextAlign::Centre, ""},
  {"按钮1",     ControlType::Button,     ControlId::按钮1,     ControlId::选择夹1,    96,  160, 136, 64,  true, true,  "随机抽号",        0,   kPlatform, kPlatform,   false, false, false, TextAlign::Centre, ""},
  {"编辑框2",   ControlType::EditBox,    ControlId::编辑框2,   ControlId::选择夹1,    288, 56,  80,  48,  true, true,  "44",              -19, kBlack, kWhite,         false, false, false, TextAlign::Centre, "结束:"},
  {"透明标签2", ControlType::TransLabel, ControlId::透明标签2, ControlId::选择夹1,    224, 56,  56,  48,  true, false, "结束:",           -21, kBlack, kPlatform,      false, false, false, TextAlign::Left,   ""},
  {"编辑框1",   ControlType::EditBox,    ControlId::编辑框1,   ControlId::选择夹1,    128, 56,  80,  48,  true, true,  "1",               -19, kBlack, kWhite,         false, false, false, TextAlign::Centre, "开始:"},
  {"透明标签1", ControlType::TransLabel, ControlId::透明标签1, ControlId::选择夹1,    64,  56,  56,  48,  true, false, "开始:",           -21, kBlack, kPlatform,      false, false, false, TextAlign::Left,   ""},
  {"选择夹1",   ControlType::Tab,        ControlId::选择夹1,   ControlId::MainWindow, 0,   8,   448, 232, true, false, "自定义随机抽号",  -16, kPlatform, kPlatform,   false, false, false, TextAlign::Left,   ""},
}};
// clang-format on

std::size_t ControlFormIndex(ControlId control) {
  const auto found = std::find_if(kControlForms.begin(), kControlForms.end(),
                                  [control](const ControlDescriptor& form) { return form.id == control; });
  return static_cast<std::size_t>(found - kControlForms.begin());
}

const ControlDescriptor* FindControlForm(ControlId control) {
  const std::size_t index = ControlFormIndex(control);
  return index < kControlForms.size() ? &kControlForms[index] : nullptr;
}

}  // namespace tavrilo::ui
