// Where dialogs and message boxes open: at the mouse cursor, pulled back onto
// the primary screen at its right and bottom edges only.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace Cdatlib {

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

// The same against the primary screen.
QPoint ClampToPrimaryScreen(QPoint topLeft, QSize windowSize);

}  // namespace Cdatlib
