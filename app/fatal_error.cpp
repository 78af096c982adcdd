#include "app/fatal_error.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace tavrilo {
namespace {

// One line on standard error: the road out when no box can be shown.
void WriteLine(const QString& message) {
  QString line = message;
  line.replace(QLatin1Char('\n'), QLatin1Char(' '));
  std::fputs(("tavrilo: " + line + "\n").toLocal8Bit().constData(), stderr);
  std::fflush(stderr);
}

// A box needs a widget application that has finished starting and is not shutting down,
// and the thread that owns it.
bool CanShowBox() {
  if (QCoreApplication::startingUp() || QCoreApplication::closingDown()) return false;
  const auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  return app != nullptr && QThread::currentThread() == app->thread();
}

}  // namespace

void ReportFatalError(const QString& message) {
  // A second error while the first is being reported (a handler that throws again from
  // inside the box's loop, or no memory to build the box) must not loop or stack boxes.
  static std::atomic<bool> reporting{false};
  bool shown = false;
  if (!reporting.exchange(true) && CanShowBox()) {
    try {
      QMessageBox box(QMessageBox::Critical, QStringLiteral("Tavrilo"), message);
      box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
      box.setWindowModality(Qt::ApplicationModal);
      box.exec();
      shown = true;
    } catch (...) {
    }
  }
  if (!shown) WriteLine(message);
  // No destructor, no static clean-up and no waiting event may run after a fatal error:
  // the state they would work on is the state that just failed.
  std::_Exit(kFatalExitCode);
}

}  // namespace tavrilo
