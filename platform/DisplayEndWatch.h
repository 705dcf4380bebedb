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
// anything of the program's. The watcher is forked at start-up, before the
// toolkit loads, so it shares the program's few pages from then; it sleeps in
// a read of a socket that only the program holds, so it costs no wake-ups.
// When that socket closes without a goodbye after Arm, and the display has
// gone as well, it runs the action given; a kill or a crash with the display
// alive leaves everything as it is. The action gets what the program left
// pending, read only then: an idle watcher holds none of it.
class TDisplayEndWatch {
 public:
  using TRecordEnd = void (*)(const std::optional<std::string>& pending);

  // Forks the watcher; it runs recordEnd in its own process. Without a
  // process to spare, the program runs without one.
  TDisplayEndWatch(TRecordEnd recordEnd, const TPendingBytes& pending);
  // The goodbye: the program ends by its own road.
  ~TDisplayEndWatch();
  TDisplayEndWatch(const TDisplayEndWatch&) = delete;
  TDisplayEndWatch& operator=(const TDisplayEndWatch&) = delete;

  // The program runs on this display: from now on its vanishing counts.
  void Arm(TDisplayKind kind);

 private:
  TUniqueFd toWatcher_;
};

// The socket addresses of a display, an abstract name starting with "@";
// empty when the display is not a local socket. The texts are those of
// DISPLAY, or of WAYLAND_DISPLAY and XDG_RUNTIME_DIR.
std::vector<std::string> DisplaySockets(TDisplayKind kind, const std::string& display, const std::string& runtimeDir);

}  // namespace Platform
