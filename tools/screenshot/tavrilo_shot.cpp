// Writes a PNG of the main window's client area after five draws with the effect off;
// the effect box is ticked again before the picture, so it shows the default settings.
//   tavrilo-shot OUT.png [Qt options]
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include <cstdio>
#include <memory>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <QStringList>

#include "engine/random.h"
#include "ui/main_window.h"

namespace {

void HandleEventsFor(int ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() != 2) {
    std::fprintf(stderr, "usage: tavrilo-shot OUT.png\n");
    return 2;
  }

  auto window = tavrilo::ui::BuildMainWindow();
  tavrilo::ui::HandleWindowCreated(*window);
  // The same numbers on every run.
  tavrilo::ReplaceProcessRandom(std::make_unique<tavrilo::SeededRandom>(7));
  tavrilo::ui::ShowCentred(*window);
  HandleEventsFor(300);

  auto* effect = qobject_cast<QAbstractButton*>(window->Control(tavrilo::ControlId::选择框2));
  auto* draw = qobject_cast<QAbstractButton*>(window->Control(tavrilo::ControlId::按钮1));
  if (effect == nullptr || draw == nullptr) return 1;
  effect->click();
  for (int i = 0; i < 5; ++i) draw->click();
  effect->click();
  HandleEventsFor(100);

  if (!window->grab().save(arguments.at(1), "PNG")) {
    std::fprintf(stderr, "tavrilo-shot: cannot write %s\n", qPrintable(arguments.at(1)));
    return 1;
  }
  return 0;
}
