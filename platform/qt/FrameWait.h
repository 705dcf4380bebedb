// The frame a window manager puts round a top-level window is known only once
// the window is mapped: a step that needs the frame's size waits for it here.
#pragma once

#include <functional>

class QWidget;

namespace PlatformQt {

// Runs step right away when the window has its frame, otherwise once, at the
// first showing or move that brings it. A later wait with the same purpose
// replaces one that has not run yet.
void WhenFramed(QWidget* window, const char* purpose, std::function<void()> step);

}  // namespace PlatformQt
