// At-cursor placement of dialogs and boxes.
#include "platform/qt/CursorPlacement.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace Cdatlib {

QPoint LastDialogPoint{0, 0};
QPoint LastBoxClosePoint{0, 0};

QPoint DialogPointAtCursor() {
  QPoint point = QCursor::pos();
  // A mouse left where the last box was dismissed (over its OK button, as a
  // rule) says nothing about where the user wants the next dialog.
  if (point == LastBoxClosePoint) point = LastDialogPoint;
  LastDialogPoint = point;
  return point;
}

QPoint ClampToScreenEdges(QPoint topLeft, QSize windowSize, QRect screen) {
  const int screenRight = screen.x() + screen.width();
  const int screenBottom = screen.y() + screen.height();
  QPoint result = topLeft;
  if (topLeft.x() + windowSize.width() > screenRight) result.setX(screenRight - windowSize.width());
  if (topLeft.y() + windowSize.height() > screenBottom) result.setY(screenBottom - windowSize.height());
  return result;
}

QPoint ClampToPrimaryScreen(QPoint topLeft, QSize windowSize) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return topLeft;
  return ClampToScreenEdges(topLeft, windowSize, screen->geometry());
}

}  // namespace Cdatlib
