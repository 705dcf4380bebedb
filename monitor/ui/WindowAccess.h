// What the keyboard and screen readers get in the monitor's windows: a window
// chosen again comes to the front with the keyboard in it, the focus mark is
// shown from the start, and frames that only hold others stay out of the way.
#pragma once

class QAction;
class QPlainTextEdit;
class QWidget;

namespace Monitor {

// Shows the window, restored from a minimized state, in front of the
// program's other windows and with the keyboard focus in it: a window that
// only came to the front would leave the keys going to the one behind.
void BringToFront(QWidget* window);

// Shows where the keyboard focus is from the window's first showing, not
// only after a Tab: a keyboard user needs to know what Return would press.
void ShowFocusAlways(QWidget* window);

// Tab and Backtab in the text move the focus on and are never typed into
// it, also when the text is its window's only control.
void TabOnlyMovesFocus(QPlainTextEdit* text);

// A frame that only places other controls is passed over by a screen
// reader, like the window's client area, instead of being met as an
// unnamed frame.
void MarkLayoutOnly(QWidget* frame);

// Escape closes the window through its Close command, as a click on it does.
void CloseOnEscape(QAction* closeCommand);

}  // namespace Monitor
