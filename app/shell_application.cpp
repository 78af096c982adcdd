#include "app/shell_application.h"

#include "app/fatal_error.h"
#include "app/exception_message.h"

namespace tavrilo {

ShellApplication::ShellApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool ShellApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    ReportFatalError(DescribeCurrentException(kInternalError));
  }
}

}  // namespace tavrilo
