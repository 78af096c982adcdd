#include "app/exception_message.h"

#include <exception>
#include <new>

namespace tavrilo {

QString DescribeCurrentException(const char* situation) {
  const std::exception_ptr current = std::current_exception();
  if (!current) return QString::fromUtf8(situation);
  QString detail;
  try {
    std::rethrow_exception(current);
  } catch (const std::bad_alloc&) {
    return QString::fromUtf8(kOutOfMemory);
  } catch (const std::exception& e) {
    detail = QString::fromLocal8Bit(e.what());
  } catch (...) {
    detail = QStringLiteral("unknown exception");
  }
  return QString::fromUtf8(situation) + QStringLiteral("\n\n") + detail;
}

}  // namespace tavrilo
