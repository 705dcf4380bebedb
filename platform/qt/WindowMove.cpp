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
  window_ = window;
  grabOffset_ = globalPos - window->pos();
}

bool TWindowMove::Follow(QPoint globalPos) {
  if (window_ == nullptr) return false;
  window_->move(globalPos - grabOffset_);
  return true;
}

void TWindowMove::End() { window_ = nullptr; }

}  // namespace PlatformQt
