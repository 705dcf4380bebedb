// A small process that outlives the program by a moment and records the end
// of the session when the program vanished together with its display.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/PendingBytes.h"
#include "platform/UniqueFd.h"

namespace Platform {

// What the program's windows are shown on; the watcher probes its socket.
enum class TDisplayKind : char { dkX11 = 'x', dkWayland = 'w' };

// A desktop that ends a session without a word (every Wayland desktop, an X11
// desktop without a session manager) ends it by ending its display server,
// and the toolkit then ends the program at once, on Wayland without running
// anything of the program's. The watcher is the system shell, asleep in a
// read of a socket that only the program holds: it costs no wake-ups, and
// its few pages are the shell's, not a copy of the program's. When that
// socket closes without a goodbye, it starts the program again in its
// display-end run (DisplayEndRun), which records the end only when the
// display has gone as well; a kill or a crash with the display alive leaves
// everything as it is.
class TDisplayEndWatch {
 public:
  // Starts the watcher of a program shown on this kind of display; the
  // display-end run gets what the program left pending, read only then: an
  // idle watcher holds none of it. Without a process to spare, the program
  // runs without one.
  TDisplayEndWatch(TDisplayKind kind, const TPendingBytes& pending);
  // The goodbye: the program ends by its own road.
  ~TDisplayEndWatch();
  TDisplayEndWatch(const TDisplayEndWatch&) = delete;
  TDisplayEndWatch& operator=(const TDisplayEndWatch&) = delete;

 private:
  TUniqueFd toWatcher_;
};

// The display of the program that vanished, when this run of the program is
// the watcher's display-end run; nothing for an ordinary start.
std::optional<TDisplayKind> DisplayEndRun(int argc, char** argv);

// The display-end run: when the display is gone, recordEnd gets what the
// program left pending. With the session gone, nobody is left to tell of a
// failure, so none passes out.
using TRecordEnd = void (*)(const std::optional<std::string>& pending);
void RecordIfDisplayGone(TDisplayKind kind, TRecordEnd recordEnd);

// The socket addresses of a display, an abstract name starting with "@";
// empty when the display is not a local socket. The texts are those of
// DISPLAY, or of WAYLAND_DISPLAY and XDG_RUNTIME_DIR.
std::vector<std::string> DisplaySockets(TDisplayKind kind, const std::string& display, const std::string& runtimeDir);

}  // namespace Platform
