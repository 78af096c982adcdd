#include "engine/os_random.h"

#include <cerrno>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#include <bcrypt.h>
#elif defined(__linux__)
#include <sys/random.h>
#else
#include <stdlib.h>
#endif

namespace tavrilo {

void FillWithOsRandom(void* buffer, std::size_t size) {
  auto* bytes = static_cast<unsigned char*>(buffer);
#if defined(_WIN32)
  while (size > 0) {
    const auto chunk = static_cast<ULONG>(size > 0x10000000 ? 0x10000000 : size);
    const NTSTATUS status = BCryptGenRandom(nullptr, bytes, chunk, BCRYPT_USE_SYSTEM_PREFERRED_RNG);
    if (status < 0) throw std::system_error(static_cast<int>(status), std::system_category(), "BCryptGenRandom");
    bytes += chunk;
    size -= chunk;
  }
#elif defined(__linux__)
  while (size > 0) {
    const ssize_t got = getrandom(bytes, size, 0);
    if (got < 0) {
      if (errno == EINTR) continue;
      throw std::system_error(errno, std::generic_category(), "getrandom");
    }
    bytes += got;
    size -= static_cast<std::size_t>(got);
  }
#else
  arc4random_buf(bytes, size);
#endif
}

}  // namespace tavrilo
