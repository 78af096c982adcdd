#pragma once

#include <QString>

namespace tavrilo {

// The process's exit code after a fatal error (status 255 where statuses are 8 bits).
inline constexpr int kFatalExitCode = -1;

// Ends the program on an error it cannot go on from: shows message in a modal box owned
// by no window and, once the box is dismissed, ends the process with kFatalExitCode.
// Without a usable application object (before the toolkit is up, or when the report itself
// fails) the message goes to standard error as one line instead. Never returns.
[[noreturn]] void ReportFatalError(const QString& message);

}  // namespace tavrilo
