// Runs the application shell with a window factory chosen by argv[1], so that a test can
// watch how the process ends. A timer answers any modal box the way a user would, after
// printing what the box showed.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <new>
#include <stdexcept>
#include <string>

#include "app/run_application.h"

namespace {

std::string scenario;

void Print(const QString& line) {
  std::fputs((line + "\n").toUtf8().constData(), stdout);
  std::fflush(stdout);
}

// Runs action once, ms milliseconds after the event loop gets to it.
template <typename Action>
void After(int ms, Action action) {
  auto* timer = new QTimer(QCoreApplication::instance());
  timer->setSingleShot(true);
  QObject::connect(timer, &QTimer::timeout, action);
  timer->start(ms);
}

void AnswerModalBoxes() {
  auto* timer = new QTimer(QCoreApplication::instance());
  QObject::connect(timer, &QTimer::timeout, [] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    Print(QStringLiteral("box parent=%1 modal=%2 buttons=%3")
              .arg(box->parentWidget() == nullptr ? "none" : "some")
              .arg(box->isModal() ? 1 : 0)
              .arg(box->buttons().size()));
    Print(QStringLiteral("box text=") + QString(box->text()).replace('\n', ' '));
    box->buttons().front()->click();
  });
  timer->start(20);
}

std::unique_ptr<tavrilo::ui::MainWindow> BuildForScenario() {
  AnswerModalBoxes();
  if (scenario == "factory-throws") throw std::runtime_error("form resource missing");
  if (scenario == "factory-returns-nothing") return nullptr;
  if (scenario == "handler-throws")
    After(50, [] { throw std::logic_error("handler failed"); });
  if (scenario == "handler-runs-out-of-memory")
    After(50, [] { throw std::bad_alloc(); });
  if (scenario == "handler-throws-non-standard") After(50, [] { throw 42; });
  if (scenario == "window-closed") {
    After(50, [] {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) {
          Print(QStringLiteral("closing shown window"));
          w->close();
        }
    });
  }
  return tavrilo::ui::BuildMainWindow();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) scenario = argv[1];
  const int code = tavrilo::RunApplication(&BuildForScenario);
  Print(QStringLiteral("returned %1").arg(code));
  return code;
}
