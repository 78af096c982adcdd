#pragma once

#include <string>
#include <string_view>

#include <QString>
#include <QStringView>

namespace tavrilo::ui {

// Text crosses between the widgets and the engine as GB18030 bytes, which equal code page
// 936 for every GBK character and still carry every other character (an emoji, say) intact.
std::string ToGb18030(QStringView text);
// Bytes that are not valid GB18030 decode to U+FFFD.
QString FromGb18030(std::string_view bytes);
// False when the Qt build has no GB18030 codec (it comes through ICU).
bool Gb18030Available();

}  // namespace tavrilo::ui
