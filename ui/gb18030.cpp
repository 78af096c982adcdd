#include "ui/gb18030.h"

#include <QByteArray>
#include <QStringDecoder>
#include <QStringEncoder>

namespace tavrilo::ui {

std::string ToGb18030(QStringView text) {
  QStringEncoder encoder("GB18030");
  const QByteArray bytes = encoder.encode(text);
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString FromGb18030(std::string_view bytes) {
  QStringDecoder decoder("GB18030");
  return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

bool Gb18030Available() {
  return QStringEncoder("GB18030").isValid() && QStringDecoder("GB18030").isValid();
}

}  // namespace tavrilo::ui
