#pragma once

#include <array>

#include <QColor>

#include "ui/form.h"

class QWidget;

namespace tavrilo::ui {

// Makes window the main window of the form (caption, flags, background) and creates the
// fifteen controls inside it: placed, stacked in descriptor order (the first on top), with
// their texts, fonts, colours and settings, and chained in the form's Tab order. Returns
// them in descriptor order.
std::array<QWidget*, kControlForms.size()> BuildForm(QWidget& window);

// The colour a text is drawn in: colour is 0x00BBGGRR, and kDefaultColour draws black.
QColor TextColour(std::uint32_t colour);
// The colour a background is filled with: kDefaultColour is the dialog (button-face) colour.
QColor BackgroundColour(std::uint32_t colour);

}  // namespace tavrilo::ui
