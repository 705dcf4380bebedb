// The fonts of the program's windows, on whatever fonts the desktop has:
// the designed faces first, then look-alikes, then the desktop's own kind.
#pragma once

#include <QFont>

namespace Desktop {

// Arial or the nearest sans-serif, at a height in pixels.
QFont ArialFont(int pixelSize, bool bold);
// MS Sans Serif or the desktop's sans-serif, at a height in pixels.
QFont SansSerifPixelFont(int pixelSize, bool bold);
// MS Sans Serif or the desktop's sans-serif, at a size in points.
QFont SansSerifPointFont(int pointSize, bool bold);
// Courier New or the nearest monospaced face, at a height in pixels.
QFont MonospacedFont(int pixelSize, bool bold);

}  // namespace Desktop
