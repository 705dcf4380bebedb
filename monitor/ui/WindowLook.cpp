#include "monitor/ui/WindowLook.h"

#include <QPalette>
#include <QPoint>
#include <QScreen>
#include <QWidget>
#include <algorithm>

#include "platform/qt/FrameWait.h"

namespace Monitor {

void SetBackground(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, colour);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

namespace {

// Until the window manager has framed the window, its frame is unknown: the
// client size starts with typical frame sizes and is corrected at the first
// showing.
constexpr int GuessedFrameWidth = 16;
constexpr int GuessedFrameHeight = 39;

}  // namespace

void PlaceWindow(QWidget* window, int left, int top, int outerWidth, int outerHeight) {
  window->move(left, top);
  window->resize(outerWidth - GuessedFrameWidth, outerHeight - GuessedFrameHeight);
  PlatformQt::WhenFramed(window, "Monitor.PlaceWindow", [window, outerWidth, outerHeight] {
    window->resize(outerWidth - (window->frameGeometry().width() - window->width()),
                   outerHeight - (window->frameGeometry().height() - window->height()));
  });
}

void KeepWideEnoughFor(QWidget* window, std::initializer_list<const QWidget*> contents, int margin) {
  int needed = 0;
  for (const QWidget* content : contents) {
    needed = std::max(needed, content->mapTo(window, QPoint(content->width(), 0)).x() + margin);
  }
  if (const QScreen* screen = window->screen()) needed = std::min(needed, screen->availableGeometry().width());
  // Only a text that does not fit sets a limit; otherwise the window keeps
  // its designed size and can be made as small as the user likes.
  if (needed > window->width() && needed > window->minimumWidth()) {
    window->setMinimumWidth(needed);
    window->resize(needed, window->height());
  }
}

}  // namespace Monitor
