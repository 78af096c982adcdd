#include "ui/live_draw_view.h"

#include <algorithm>
#include <chrono>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QTabWidget>
#include <QTimer>

#include "ui/form_builder.h"
#include "ui/gb18030.h"
#include "ui/main_window.h"
#include "ui/results_box.h"

namespace tavrilo::ui {

namespace {

constexpr std::int32_t kPositionLimit = 32627;

}  // namespace

LiveDrawView::LiveDrawView(MainWindow& window) : window_(&window) {}

QWidget* LiveDrawView::Find(ControlId control) const {
  if (window_.isNull()) return nullptr;
  if (control == ControlId::MainWindow) return window_.data();
  return window_->Control(control);
}

std::string LiveDrawView::ReadText(ControlId control) {
  QWidget* widget = Find(control);
  if (auto* box = qobject_cast<ResultsBox*>(widget)) return box->Bytes();
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) return ToGb18030(edit->text());
  return {};
}

void LiveDrawView::WriteText(ControlId control, std::string_view text) {
  QWidget* widget = Find(control);
  if (auto* box = qobject_cast<ResultsBox*>(widget)) {
    box->WriteBytes(text);
  } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    const int caret = edit->cursorPosition();
    edit->setText(FromGb18030(text));
    edit->setCursorPosition(std::min(caret, static_cast<int>(edit->text().size())));
  } else {
    WriteCaption(control, text);
  }
}

int LiveDrawView::ReadChecked(ControlId control) {
  auto* button = qobject_cast<QAbstractButton*>(Find(control));
  return button != nullptr && button->isChecked() ? 1 : 0;
}

void LiveDrawView::WriteVisible(ControlId control, bool visible) {
  if (QWidget* widget = Find(control)) widget->setVisible(visible);
}

void LiveDrawView::WriteCaption(ControlId control, std::string_view caption) {
  QWidget* widget = Find(control);
  const QString text = FromGb18030(caption);
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    label->setText(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(text);
  } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
    group->setTitle(text);
  } else if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
    tabs->setTabText(tabs->currentIndex(), text);
  } else if (qobject_cast<QLineEdit*>(widget) != nullptr || qobject_cast<ResultsBox*>(widget) != nullptr) {
    WriteText(control, caption);
  } else if (widget != nullptr && widget == window_.data()) {
    widget->setWindowTitle(text);
  }
}

void LiveDrawView::WriteTextColour(ControlId control, std::uint32_t colour) {
  QWidget* widget = Find(control);
  if (widget == nullptr) return;
  QPalette palette = widget->palette();
  const bool edit = qobject_cast<QLineEdit*>(widget) != nullptr || qobject_cast<ResultsBox*>(widget) != nullptr;
  palette.setColor(edit ? QPalette::Text : QPalette::WindowText, TextColour(colour));
  widget->setPalette(palette);
}

void LiveDrawView::DelayWithEvents(std::int32_t ms) {
  if (ms <= 0) return;
  const QDeadlineTimer deadline(std::chrono::milliseconds(ms), Qt::PreciseTimer);
  // Wakes the wait below at the deadline when no other event comes first.
  QTimer wake;
  wake.setTimerType(Qt::PreciseTimer);
  wake.setSingleShot(true);
  // Not a nested QEventLoop: a quit request makes every running exec() return, and the
  // pause must last all the same, leaving the request to the main loop.
  while (WindowExists() && !deadline.hasExpired()) {
    wake.start(static_cast<int>(std::max<qint64>(1, deadline.remainingTime())));
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  }
}

bool LiveDrawView::WindowExists() { return !window_.isNull() && !window_->Closed(); }

QRect LiveDrawView::ReadRect(ControlId control) {
  QWidget* widget = Find(control);
  return widget != nullptr ? widget->geometry() : QRect();
}

void LiveDrawView::WriteRect(ControlId control, std::int32_t left, std::int32_t top, std::int32_t width,
                             std::int32_t height) {
  QWidget* widget = Find(control);
  if (widget == nullptr) return;
  widget->setGeometry(std::clamp(left, -kPositionLimit, kPositionLimit),
                      std::clamp(top, -kPositionLimit, kPositionLimit), std::clamp(width, 0, kPositionLimit),
                      std::clamp(height, 0, kPositionLimit));
}

void LiveDrawView::WriteCurrentTab(ControlId control, std::int32_t index) {
  auto* tabs = qobject_cast<QTabWidget*>(Find(control));
  if (tabs == nullptr || tabs->count() == 0) return;
  tabs->setCurrentIndex(std::clamp(index, 0, tabs->count() - 1));
}

}  // namespace tavrilo::ui
