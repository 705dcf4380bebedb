// The desktop's widget style with the menu bar open to the keyboard: Alt
// alone reaches it, and the item the keyboard is on is marked.
#pragma once

#include <QString>

namespace PlatformQt {

// Puts the style on the whole program, over the named Qt style or, without
// a name, the desktop's own; call before the first window.
void UseKeyboardStyle(const QString& baseStyle = {});

}  // namespace PlatformQt
