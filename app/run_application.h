#pragma once

#include <functional>
#include <memory>

#include "app/shell_application.h"
#include "ui/main_window.h"

namespace tavrilo {

// Builds the main window hidden, with its handlers connected; throws when it cannot.
using WindowFactory = std::function<std::unique_ptr<ui::MainWindow>()>;

// The whole life of the program: InitRuntime, OpenStartWindow, RunEventLoop, in that
// order. Returns 0 once the window has been closed; a fatal error ends the process
// instead (ReportFatalError).
int RunApplication(const WindowFactory& buildWindow = &ui::BuildMainWindow);

// Readies the toolkit and returns its application object, built without any command-line
// argument. Exceptions that escape a handler, or anything else, end in ReportFatalError;
// when no display can be opened the process ends with one line on standard error.
std::unique_ptr<ShellApplication> InitRuntime();

// Builds the window hidden, runs HandleWindowCreated on it, then shows it centred and
// active. A window that cannot be built ends the program through ReportFatalError.
std::unique_ptr<ui::MainWindow> OpenStartWindow(const WindowFactory& buildWindow);

// Handles events until the last window has been closed, or returns at once when no window
// is shown. Returns the quit request's code.
int RunEventLoop();

}  // namespace tavrilo
