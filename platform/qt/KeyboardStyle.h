// The desktop's widget style made plain to the keyboard: Alt alone reaches
// the menu bar, the item the keyboard is on is marked, and so is a focused
// default button.
#pragma once

#include <QString>

namespace PlatformQt {

// Puts the style on the whole program, over the named Qt style or, without
// a name, the desktop's own; call before the first window.
void UseKeyboardStyle(const QString& baseStyle = {});

}  // namespace PlatformQt
