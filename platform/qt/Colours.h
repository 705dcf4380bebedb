// The colours the program's windows share by name.
#pragma once

#include <QColor>

namespace PlatformQt {

// The light grey of the classic window face, behind panels and read-only text.
inline const QColor Silver(192, 192, 192);

}  // namespace PlatformQt
