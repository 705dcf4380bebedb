// Conversion between the program's 8-bit texts (the locale's encoding) and
// the QString that Qt's widgets hold.
#pragma once

#include <QString>
#include <string>

namespace PlatformQt {

QString ToQt(const std::string& text);
std::string FromQt(const QString& text);

}  // namespace PlatformQt
