#include "app/run_application.h"

#include <QMessageLogContext>
#include <QWidget>

#include <algorithm>
#include <exception>
#include <mutex>
#include <stdexcept>
#include <vector>

#include "app/exception_message.h"
#include "app/fatal_error.h"

namespace tavrilo {
namespace {

// The toolkit keeps references to argc and argv for the life of the application object.
// It gets only the program's name: the program takes nothing from its command line.
char programName[] = "tavrilo";
int toolkitArgc = 1;
char* toolkitArgv[] = {programName, nullptr};

// The toolkit's own messages. While the application object is being built they are held
// back, so that a start that fails (no display) says one clear line, and handed on once
// the start has succeeded. A fatal message never reaches the toolkit's abort.
// Messages may come from the toolkit's own threads, hence the lock.
struct ToolkitMessages {
  std::mutex lock;
  QtMessageHandler previous = nullptr;
  bool starting = true;
  struct Held {
    QtMsgType type;
    const char* file;  // the context's strings are the toolkit's static texts
    int line;
    const char* function;
    const char* category;
    QString text;
  };
  std::vector<Held> held;
};
ToolkitMessages toolkitMessages;

void Forward(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (toolkitMessages.previous != nullptr) toolkitMessages.previous(type, context, text);
}

void OnToolkitMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  std::unique_lock guard(toolkitMessages.lock);
  if (type == QtFatalMsg) {
    if (!toolkitMessages.starting) {
      guard.unlock();
      ReportFatalError(QString::fromUtf8(kInternalError) + "\n\n" + text);
    }
    // The first complaint names the cause ("could not connect to display :9"); the fatal
    // message that follows it is the toolkit's generic advice.
    const QString cause = toolkitMessages.held.empty() ? text : toolkitMessages.held.front().text;
    ReportFatalError(QStringLiteral("cannot open a display: ") +
                     cause.section(QLatin1Char('\n'), 0, 0).trimmed());
  }
  if (toolkitMessages.starting) {
    toolkitMessages.held.push_back(
        {type, context.file, context.line, context.function, context.category, text});
    return;
  }
  guard.unlock();
  Forward(type, context, text);
}

void OnTerminate() {
  ReportFatalError(std::current_exception() ? DescribeCurrentException(kInternalError)
                                            : QString::fromUtf8(kInternalError));
}

}  // namespace

std::unique_ptr<ShellApplication> InitRuntime() {
  std::set_terminate(&OnTerminate);
  toolkitMessages.previous = qInstallMessageHandler(&OnToolkitMessage);
  auto app = std::make_unique<ShellApplication>(toolkitArgc, toolkitArgv);
  std::vector<ToolkitMessages::Held> held;
  {
    const std::lock_guard guard(toolkitMessages.lock);
    toolkitMessages.starting = false;
    held.swap(toolkitMessages.held);
  }
  for (const auto& message : held) {
    const QMessageLogContext context(message.file, message.line, message.function,
                                     message.category);
    Forward(message.type, context, message.text);
  }
  QApplication::setQuitOnLastWindowClosed(true);
  // Lets desktops match the window to its menu entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tavrilo.Tavrilo"));
  return app;
}

std::unique_ptr<ui::MainWindow> OpenStartWindow(const WindowFactory& buildWindow) {
  try {
    auto window = buildWindow();
    if (!window) throw std::runtime_error("no window was built");
    ui::HandleWindowCreated(*window);
    ui::ShowCentred(*window);
    return window;
  } catch (...) {
    ReportFatalError(DescribeCurrentException(kWindowNotBuilt));
  }
}

int RunEventLoop() {
  // Only closing a window ends the loop, so without one it would never end.
  const auto windows = QApplication::topLevelWidgets();
  const auto shown = [](const QWidget* w) { return w->isVisible(); };
  if (std::none_of(windows.begin(), windows.end(), shown)) return 0;
  return QApplication::exec();
}

int RunApplication(const WindowFactory& buildWindow) {
  [[maybe_unused]] const auto app = InitRuntime();
  const auto window = OpenStartWindow(buildWindow);
  RunEventLoop();
  return 0;
}

}  // namespace tavrilo
