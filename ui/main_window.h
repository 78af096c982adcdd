#pragma once

#include <memory>
#include <vector>

#include <QPointer>
#include <QWidget>

// moc cannot read the enumerators' non-ASCII names, and needs none of them.
#ifndef Q_MOC_RUN
#include "engine/control_id.h"
#endif

namespace tavrilo::ui {

// Tavrilo's one window: the fifteen controls of the form, the draw button wired to the
// draw batch and the restart button to HandleRestartClick. Its outer size, frame included,
// stays that of the form whatever frame the window manager draws.
class MainWindow : public QWidget {
  Q_OBJECT

 public:
  ~MainWindow() override;

  // The live control with that identifier, or nullptr for the window's own identifier, an
  // identifier outside the form, or a control that no longer exists.
  QWidget* Control(ControlId control) const;
  // True once the window has been closed; a batch that is still pausing then ends.
  bool Closed() const { return closed_; }

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  MainWindow();
  void OnDrawClicked();
  void OnRestartClicked();
  // Sizes the client area so that, with the frame the window manager reports, the outer
  // rectangle has the form's size.
  void KeepOuterSize();

  std::vector<QPointer<QWidget>> controls_;  // in descriptor order
  bool closed_ = false;

  friend std::unique_ptr<MainWindow> BuildMainWindow();
  friend void ShowCentred(MainWindow& window);
};

// Builds the window hidden from the form, its buttons connected to their handlers. Throws
// std::runtime_error when the form cannot be built.
std::unique_ptr<MainWindow> BuildMainWindow();

// The creation handler, run once after building and before the window is first shown:
// clears DrawBusy, seeds the random generator from the tick count and two draws, lays the
// effect label over the tab control, hides it and selects tab 1 (that is, tab 0).
void HandleWindowCreated(MainWindow& window);
// The restart button: empties the record and sets the group box caption to "抽号结果".
// It runs even while a batch pauses; the batch then goes on with the empty record.
void HandleRestartClick(MainWindow& window);

// Shows the window in its normal state, its outer rectangle centred on its screen, and
// activates it.
void ShowCentred(MainWindow& window);

}  // namespace tavrilo::ui
