// The look shared by the monitor's windows: flat background colours and
// outer sizes.
#pragma once

#include <QColor>
#include <initializer_list>

#include "platform/qt/Colours.h"

class QWidget;

namespace Monitor {

void SetBackground(QWidget* widget, const QColor& colour);

// Places a top-level window by its outer frame: left, top, width, height.
// The frame of the desktop's window manager is taken off the client size
// once it is known.
void PlaceWindow(QWidget* window, int left, int top, int outerWidth, int outerHeight);

// With the desktop's fallback fonts a text can come out wider than the
// window was laid out for: the window then keeps at least the width that
// shows each of the contents whole, plus the margin, up to the screen's.
void KeepWideEnoughFor(QWidget* window, std::initializer_list<const QWidget*> contents, int margin);

// The face of the monitor's windows, the same silver as the dialogs' panels.
using PlatformQt::Silver;

}  // namespace Monitor
