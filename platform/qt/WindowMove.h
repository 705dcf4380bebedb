// Moving a window by dragging its background: the system's interactive move
// where the platform offers one, and following the mouse where it does not.
#pragma once

#include <QPoint>

class QWidget;

namespace PlatformQt {

class TWindowMove {
 public:
  // Called on a button press at globalPos inside window. Releases any mouse
  // grab and starts the system's move, the one a title bar drag starts; when
  // the platform has none, later Follow calls move the window instead.
  void Begin(QWidget* window, QPoint globalPos);
  // Called on a mouse move with a button held; true when it moved the window.
  bool Follow(QPoint globalPos);
  // Called when the button is released.
  void End();

 private:
  QWidget* window_ = nullptr;
  QPoint grabOffset_;
};

}  // namespace PlatformQt
