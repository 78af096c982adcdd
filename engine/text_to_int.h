#pragma once

#include <cstdint>
#include <string_view>

namespace tavrilo {

// A field's text (code page 936) to a 32-bit integer: full-width forms read as ASCII,
// leading white space skipped, one optional sign, digits accumulated modulo 2^32.
// Text without leading digits gives 0.
std::int32_t TextToInt(std::string_view text);

}  // namespace tavrilo
