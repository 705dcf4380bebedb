// At-cursor placement of dialogs and boxes.
#include "platform/qt/CursorPlacement.h"

#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

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

bool HasFrame(const QWidget* window) { return window->frameGeometry().size() != window->size(); }

void ClampFrameToPrimaryScreen(QWidget* window, QPoint wanted) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  window->move(ClampToScreenEdges(wanted, window->frameGeometry().size(), screen->geometry()));
}

// Waits for the window manager's frame, which comes with a move or a showing
// after the window is mapped, and places the window once more with it.
class TFrameWait : public QObject {
 public:
  TFrameWait(QWidget* window, QPoint wanted) : QObject(window), wanted_(wanted) {
    setObjectName(ObjectName);
    window->installEventFilter(this);
  }

  static constexpr const char* ObjectName = "PlatformQt.FrameWait";

  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* window = static_cast<QWidget*>(watched);
    const bool framed = (event->type() == QEvent::Move || event->type() == QEvent::Show) && HasFrame(window);
    if (framed) {
      window->removeEventFilter(this);
      deleteLater();
      ClampFrameToPrimaryScreen(window, wanted_);
    }
    return false;
  }

 private:
  QPoint wanted_;
};

}  // namespace

void PlaceOnPrimaryScreen(QWidget* window, QPoint wanted) {
  // A wait left from an earlier placement that never saw a frame wants an old point.
  delete window->findChild<TFrameWait*>(TFrameWait::ObjectName, Qt::FindDirectChildrenOnly);
  ClampFrameToPrimaryScreen(window, wanted);
  if (!HasFrame(window)) new TFrameWait(window, wanted);
}

}  // namespace PlatformQt
