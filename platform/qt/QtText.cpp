// Conversion between the program's 8-bit texts and QString.
#include "platform/qt/QtText.h"

namespace PlatformQt {

QString ToQt(const std::string& text) {
  return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

std::string FromQt(const QString& text) { return text.toLocal8Bit().toStdString(); }

}  // namespace PlatformQt
