// Pop-up menus at the mouse cursor.
#include "platform/qt/PopupAtCursor.h"

#include <QCursor>
#include <QMenu>

namespace PlatformQt {

void PopupAtCursor(QMenu* menu) { menu->popup(QCursor::pos()); }

}  // namespace PlatformQt
