#include "ui/form_builder.h"

#include <algorithm>
#include <stdexcept>

#include <QApplication>
#include <QCheckBox>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QString>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>

#include "ui/results_box.h"

namespace tavrilo::ui {

namespace {

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QColor FromColourRef(std::uint32_t colour) {
  return QColor(static_cast<int>(colour & 0xFFu), static_cast<int>((colour >> 8) & 0xFFu),
                static_cast<int>((colour >> 16) & 0xFFu));
}

// A font of n pixels (height -n) in the default face, weight 400.
QFont FormFont(int height) {
  QFont font = QApplication::font();
  font.setPixelSize(-height);
  font.setWeight(QFont::Normal);
  font.setItalic(false);
  font.setUnderline(false);
  font.setStrikeOut(false);
  return font;
}

QWidget* CreateControl(const ControlDescriptor& form, QWidget* parent) {
  const QString text = Utf8(form.text);
  switch (form.type) {
    case ControlType::EditBox: {
      if (form.multiLine) {
        auto* box = new ResultsBox(parent);
        box->setPlainText(text);
        return box;
      }
      auto* edit = new QLineEdit(text, parent);
      edit->setAlignment(form.align == TextAlign::Centre ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
      return edit;
    }
    case ControlType::CheckBox: {
      auto* box = new QCheckBox(text, parent);
      box->setChecked(form.checked);
      return box;
    }
    case ControlType::Button: {
      auto* button = new QPushButton(text, parent);
      // Enter must press no button.
      button->setAutoDefault(false);
      button->setDefault(false);
      return button;
    }
    case ControlType::Label:
    case ControlType::TransLabel: {
      auto* label = new QLabel(parent);
      label->setTextFormat(Qt::PlainText);
      label->setWordWrap(false);
      label->setAlignment(form.align == TextAlign::Centre ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
      label->setText(text);
      // A transparent label paints nothing but its text; Qt repaints what lies beneath
      // whenever it changes, so no trace of an old caption stays.
      label->setAutoFillBackground(form.opaque);
      return label;
    }
    case ControlType::GroupBox:
      return new QGroupBox(text, parent);
    case ControlType::Tab: {
      auto* tabs = new QTabWidget(parent);
      tabs->addTab(new QWidget, text);
      tabs->setFocusPolicy(Qt::NoFocus);
      tabs->tabBar()->setFocusPolicy(Qt::NoFocus);
      return tabs;
    }
  }
  throw std::logic_error("unknown control type");
}

void ApplyFont(const ControlDescriptor& form, QWidget& widget) {
  if (form.fontHeight >= 0) return;  // inherits the default GUI font
  // The tab control's font is its captions'; the controls that sit on it keep their own.
  if (auto* tabs = qobject_cast<QTabWidget*>(&widget)) {
    tabs->tabBar()->setFont(FormFont(form.fontHeight));
  } else {
    widget.setFont(FormFont(form.fontHeight));
  }
}

void ApplyColours(const ControlDescriptor& form, QWidget& widget) {
  if (!form.textColour && !form.background) return;
  QPalette palette = widget.palette();
  const bool edit = form.type == ControlType::EditBox;
  if (form.textColour) palette.setColor(edit ? QPalette::Text : QPalette::WindowText, TextColour(*form.textColour));
  if (form.background) palette.setColor(edit ? QPalette::Base : QPalette::Window, BackgroundColour(*form.background));
  if (edit) {
    // Qt draws the selection of an edit without the focus in the inactive colours; making
    // them the plain text colours shows a selection only while the box has the focus.
    palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Active, QPalette::Base));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText, palette.color(QPalette::Active, QPalette::Text));
  }
  widget.setPalette(palette);
}

}  // namespace

QColor TextColour(std::uint32_t colour) {
  return colour == kDefaultColour ? QColor(Qt::black) : FromColourRef(colour);
}

QColor BackgroundColour(std::uint32_t colour) {
  return colour == kDefaultColour ? QApplication::palette().color(QPalette::Window) : FromColourRef(colour);
}

std::array<QWidget*, kControlForms.size()> BuildForm(QWidget& window) {
  window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                        Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  window.setWindowTitle(Utf8(kWindowForm.caption));
  QPalette palette = window.palette();
  palette.setColor(QPalette::Window, BackgroundColour(kWindowForm.background));
  window.setPalette(palette);

  std::array<QWidget*, kControlForms.size()> widgets{};
  // Containers come later in the form than what they hold, so a control is created once
  // its parent exists.
  auto create = [&](auto& self, std::size_t index) -> QWidget* {
    if (widgets[index] != nullptr) return widgets[index];
    const ControlDescriptor& form = kControlForms[index];
    QWidget* parent = &window;
    if (form.parent != ControlId::MainWindow) {
      const std::size_t parentIndex = ControlFormIndex(form.parent);
      if (parentIndex >= kControlForms.size() || parentIndex == index) throw std::runtime_error("bad parent in form");
      parent = self(self, parentIndex);
    }
    QWidget* widget = CreateControl(form, parent);
    widget->setObjectName(Utf8(form.name));
    widget->setGeometry(form.left, form.top, form.width, form.height);
    ApplyFont(form, *widget);
    ApplyColours(form, *widget);
    if (!form.accessibleName.empty()) widget->setAccessibleName(Utf8(form.accessibleName));
    if (!form.tabStop) widget->setFocusPolicy(Qt::NoFocus);
    widget->setVisible(form.visible);
    widgets[index] = widget;
    return widget;
  };
  for (std::size_t i = 0; i < kControlForms.size(); ++i) create(create, i);

  // Raising from the last to the first leaves the first descriptor on top; the tab
  // control's children also rise above its own tab bar and page.
  for (std::size_t i = kControlForms.size(); i-- > 0;) widgets[i]->raise();

  // Tab order: equal tab orders, so reverse descriptor order.
  QWidget* first = nullptr;
  QWidget* previous = nullptr;
  for (std::size_t i = kControlForms.size(); i-- > 0;) {
    if (!kControlForms[i].tabStop) continue;
    if (previous != nullptr) QWidget::setTabOrder(previous, widgets[i]);
    if (first == nullptr) first = widgets[i];
    previous = widgets[i];
  }
  // A window that gets the focus with no control remembered hands it to the first of the
  // Tab order.
  if (first != nullptr) first->setFocus(Qt::OtherFocusReason);
  return widgets;
}

}  // namespace tavrilo::ui
