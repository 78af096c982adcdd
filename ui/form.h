#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "engine/control_id.h"

namespace tavrilo::ui {

enum class ControlType { EditBox, CheckBox, Button, Label, TransLabel, GroupBox, Tab };
enum class TextAlign { Left, Centre };

// One control of the main window as it stands at start-up. Texts are UTF-8; geometry is in
// pixels relative to the parent (for children of 选择夹1 from the tab control's own top-left,
// tab strip included). Colours are 0x00BBGGRR or kDefaultColour; nullopt leaves the
// platform's colour (or, for a background, paints none).
struct ControlDescriptor {
  std::string_view name;  // the form name, also the widget's objectName
  ControlType type;
  ControlId id;
  ControlId parent;  // ControlId::MainWindow for the window's own children
  int left;
  int top;
  int width;
  int height;
  bool visible;
  bool tabStop;
  std::string_view text;  // content of an edit box, caption of everything else
  int fontHeight;         // -n asks for n pixels; 0 keeps the default GUI font
  std::optional<std::uint32_t> textColour;
  std::optional<std::uint32_t> background;
  // Per-type settings.
  bool multiLine;  // EditBox: several lines, wrapping
  bool checked;    // CheckBox: state at start
  bool opaque;     // Label: fills its rectangle with its background
  TextAlign align;
  std::string_view accessibleName;  // what a screen reader calls an edit box
};

struct WindowDescriptor {
  ControlId id;
  std::string_view caption;
  int outerWidth;  // frame and title bar included
  int outerHeight;
  std::uint32_t background;
  std::string_view iconResource;  // used when the resource is linked in
};

extern const WindowDescriptor kWindowForm;
// The fifteen controls in descriptor order, which is also the stacking order among
// siblings: the first lies on top.
extern const std::array<ControlDescriptor, 15> kControlForms;

// The descriptor of control, or nullptr for an identifier outside the form.
const ControlDescriptor* FindControlForm(ControlId control);
// Position of control in kControlForms, or kControlForms.size() when unknown.
std::size_t ControlFormIndex(ControlId control);

}  // namespace tavrilo::ui
