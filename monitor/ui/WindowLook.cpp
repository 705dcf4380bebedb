#include "monitor/ui/WindowLook.h"

#include <QEvent>
#include <QPalette>
#include <QPoint>
#include <QScreen>
#include <QWidget>
#include <algorithm>

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

class FrameFitter : public QObject {
 public:
  FrameFitter(QWidget* window, int outerWidth, int outerHeight)
      : QObject(window), outerWidth_(outerWidth), outerHeight_(outerHeight) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* window = static_cast<QWidget*>(watched);
    if (event->type() == QEvent::Show || event->type() == QEvent::Move) {
      const int frameWidth = window->frameGeometry().width() - window->width();
      const int frameHeight = window->frameGeometry().height() - window->height();
      if (frameWidth > 0 || frameHeight > 0) {
        window->resize(outerWidth_ - frameWidth, outerHeight_ - frameHeight);
        window->removeEventFilter(this);
        deleteLater();
      }
    }
    return false;
  }

 private:
  int outerWidth_;
  int outerHeight_;
};

}  // namespace

void PlaceWindow(QWidget* window, int left, int top, int outerWidth, int outerHeight) {
  window->move(left, top);
  window->resize(outerWidth - GuessedFrameWidth, outerHeight - GuessedFrameHeight);
  window->installEventFilter(new FrameFitter(window, outerWidth, outerHeight));
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
