#pragma once

#include <QApplication>

namespace tavrilo {

// The toolkit's application object, with one guard added: an exception that leaves an
// event handler (including a failed memory request) ends the program through
// ReportFatalError instead of crossing the event loop.
class ShellApplication final : public QApplication {
 public:
  ShellApplication(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace tavrilo
