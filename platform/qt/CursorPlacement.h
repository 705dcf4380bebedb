// Where dialogs and message boxes open: at the mouse cursor, pulled back onto
// the primary screen at its right and bottom edges only.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace PlatformQt {

// The point last handed out by DialogPointAtCursor.
extern QPoint LastDialogPoint;
// The cursor position taken when the last box of ShowMessageAtCursor closed.
extern QPoint LastBoxClosePoint;

// The cursor position, or LastDialogPoint when the cursor has not moved since
// the last message box closed; the result becomes LastDialogPoint.
QPoint DialogPointAtCursor();

// The top-left corner for a window of the given size wanted at topLeft: moved
// left and up so that it ends at the screen's right and bottom edges when it
// would pass them. Nothing pulls it right or down, so a point on a monitor left
// of or above the screen is kept as it is.
QPoint ClampToScreenEdges(QPoint topLeft, QSize windowSize, QRect screen);

// Moves a top-level window to wanted, clamped to the primary screen with the
// size of its frame. A window manager frames a window only once it is shown,
// so a window whose frame is not known yet is clamped again, once, when it is.
void PlaceOnPrimaryScreen(QWidget* window, QPoint wanted);

}  // namespace PlatformQt
