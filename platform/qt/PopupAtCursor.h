// Pop-up menus shown at the mouse cursor.
#pragma once

class QMenu;

namespace PlatformQt {

// Shows the menu with its top-left corner at the cursor and returns at once;
// a chosen item runs its own action, and closing the menu does nothing.
void PopupAtCursor(QMenu* menu);

}  // namespace PlatformQt
