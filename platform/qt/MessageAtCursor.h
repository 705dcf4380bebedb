// The information box that opens at the mouse cursor, stays on top and is
// captioned with the program's title.
#pragma once

#include <string>

namespace PlatformQt {

// Shows the message in a modal information box with one OK button and
// returns when the box is closed; records the cursor position of that moment
// in LastBoxClosePoint.
void ShowMessageAtCursor(const std::string& message);

}  // namespace PlatformQt
