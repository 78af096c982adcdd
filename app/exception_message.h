#pragma once

#include <QString>

namespace tavrilo {

// What the fatal error report says happened.
inline const char* const kWindowNotBuilt = "主窗口无法创建，程序将退出。";
inline const char* const kInternalError = "程序内部出错，将退出。";
inline const char* const kOutOfMemory = "内存不足，程序将退出。";

// The report for the exception now being handled: kOutOfMemory for a failed memory
// request, otherwise situation followed by the exception's own text. Call only from
// inside a catch block.
QString DescribeCurrentException(const char* situation);

}  // namespace tavrilo
