#include "ui/main_window.h"

#include <stdexcept>

#include <QAbstractButton>
#include <QCloseEvent>
#include <QEvent>
#include <QFile>
#include <QIcon>
#include <QScreen>
#include <QString>
#include <QWindow>

#include "engine/control_id.h"
#include "engine/draw_batch.h"
#include "ui/form.h"
#include "ui/form_builder.h"
#include "ui/gb18030.h"
#include "ui/live_draw_view.h"

namespace tavrilo::ui {

MainWindow::MainWindow() {
  for (QWidget* widget : BuildForm(*this)) controls_.emplace_back(widget);

  const QString icon = QString::fromUtf8(kWindowForm.iconResource.data(),
                                         static_cast<qsizetype>(kWindowForm.iconResource.size()));
  if (QFile::exists(icon)) setWindowIcon(QIcon(icon));

  auto* draw = qobject_cast<QAbstractButton*>(Control(ControlId::按钮1));
  auto* restart = qobject_cast<QAbstractButton*>(Control(ControlId::按钮2));
  if (draw == nullptr || restart == nullptr) throw std::runtime_error("The form has no draw or restart button.");
  connect(draw, &QAbstractButton::clicked, this, &MainWindow::OnDrawClicked);
  connect(restart, &QAbstractButton::clicked, this, &MainWindow::OnRestartClicked);

  KeepOuterSize();
}

MainWindow::~MainWindow() = default;

QWidget* MainWindow::Control(ControlId control) const {
  const std::size_t index = ControlFormIndex(control);
  return index < controls_.size() ? controls_[index].data() : nullptr;
}

void MainWindow::OnDrawClicked() {
  // The view lives on this stack frame, not in the window, because the window may be
  // destroyed while the batch pauses.
  LiveDrawView view(*this);
  HandleDrawClick(view);
}

void MainWindow::OnRestartClicked() { HandleRestartClick(*this); }

bool MainWindow::event(QEvent* event) {
  const bool handled = QWidget::event(event);
  switch (event->type()) {
    // The window manager's frame becomes known only after mapping, and may change later.
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WinIdChange:
      KeepOuterSize();
      break;
    default:
      break;
  }
  return handled;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  closed_ = true;
  event->accept();
}

void MainWindow::KeepOuterSize() {
  const QWindow* handle = windowHandle();
  const QMargins frame = handle != nullptr ? handle->frameMargins() : QMargins();
  const QSize client(kWindowForm.outerWidth - frame.left() - frame.right(),
                     kWindowForm.outerHeight - frame.top() - frame.bottom());
  if (client.isEmpty()) return;
  if (minimumSize() != client || maximumSize() != client) setFixedSize(client);
}

std::unique_ptr<MainWindow> BuildMainWindow() {
  if (!Gb18030Available()) throw std::runtime_error("Qt offers no GB18030 text codec.");
  return std::unique_ptr<MainWindow>(new MainWindow);
}

void ShowCentred(MainWindow& window) {
  window.KeepOuterSize();
  if (const QScreen* screen = window.screen()) {
    const QRect area = screen->geometry();
    // The position of a top-level widget is that of its frame.
    window.move(area.x() + (area.width() - kWindowForm.outerWidth) / 2,
                area.y() + (area.height() - kWindowForm.outerHeight) / 2);
  }
  window.showNormal();
  window.raise();
  window.activateWindow();
}

}  // namespace tavrilo::ui
