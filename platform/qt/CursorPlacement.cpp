// At-cursor placement of dialogs and boxes.
#include "platform/qt/CursorPlacement.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "platform/qt/FrameWait.h"

namespace PlatformQt {

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

namespace {

void ClampFrameToPrimaryScreen(QWidget* window, QPoint wanted) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  window->move(ClampToScreenEdges(wanted, window->frameGeometry().size(), screen->geometry()));
}

}  // namespace

void PlaceOnPrimaryScreen(QWidget* window, QPoint wanted) {
  ClampFrameToPrimaryScreen(window, wanted);
  // Placed again with the frame; a wait left from an earlier placement wants an old point.
  WhenFramed(window, "PlatformQt.PlaceOnPrimaryScreen",
             [window, wanted] { ClampFrameToPrimaryScreen(window, wanted); });
}

}  // namespace PlatformQt
