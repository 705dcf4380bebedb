#include "platform/desktop/ProgramIcon.h"

#include "platform/desktop/TallyvaneIcon.xpm"

namespace Desktop {

QPixmap ProgramPixmap() { return QPixmap(TallyvaneIconXpm); }

QIcon ProgramIcon() { return QIcon(ProgramPixmap()); }

}  // namespace Desktop
