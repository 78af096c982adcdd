#pragma once

#include <string_view>

namespace tavrilo {

// The program's own texts as GB18030 (code page 936) bytes.
inline constexpr std::string_view kCaptionResultsHead = "\xB3\xE9\xBA\xC5\xBD\xE1\xB9\xFB";  // 抽号结果
// "抽号结果  已抽取:" and "个" frame the drawn count in the group box caption.
inline constexpr std::string_view kCaptionCountPrefix =
    "\xB3\xE9\xBA\xC5\xBD\xE1\xB9\xFB  \xD2\xD1\xB3\xE9\xC8\xA1:";
inline constexpr std::string_view kCaptionCountSuffix = "\xB8\xF6";                       // 个
inline constexpr std::string_view kAllDrawn = "\xB6\xBC\xD1\xA1\xCD\xEA\xC0\xB2!";        // 都选完啦!

}  // namespace tavrilo
