// The program-wide mouse cursor: one shape that overrides every widget's own
// cursor while it is set.
#pragma once

#include <Qt>

namespace PlatformQt {

// Makes shape the cursor over every window of the program.
void SetProgramCursor(Qt::CursorShape shape);
// Gives every widget its own cursor back.
void ClearProgramCursor();
// The shape in force program-wide; the arrow when none is set.
Qt::CursorShape ProgramCursor();

}  // namespace PlatformQt
