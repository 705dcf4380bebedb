// The interactive move of a window by its background.
#include "platform/qt/WindowMove.h"

#include <QWidget>
#include <QWindow>

namespace PlatformQt {

void TWindowMove::Begin(QWidget* window, QPoint globalPos) {
  End();
  if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
  QWindow* handle = window->windowHandle();
  if (handle != nullptr && handle->startSystemMove()) return;
  Window = window;
  GrabOffset = globalPos - window->pos();
}

bool TWindowMove::Follow(QPoint globalPos) {
  if (Window == nullptr) return false;
  Window->move(globalPos - GrabOffset);
  return true;
}

void TWindowMove::End() { Window = nullptr; }

}  // namespace PlatformQt
