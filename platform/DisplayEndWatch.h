// A small process that outlives the program by a moment and records the end
// of the session when the program vanished together with its display.
#pragma once

#include <optional>
#include <string>

#include "platform/PendingBytes.h"
#include "platform/UniqueFd.h"

namespace Platform {

// A desktop that ends a session without a word (every Wayland desktop, an X11
// desktop without a session manager) ends it by ending its display server,
// and the toolkit then ends the program at once, on Wayland without running
// anything of the program's. The watcher is the system shell, asleep in a
// read of a socket that only the program holds: it costs no wake-ups, and
// its few pages are the shell's, not a copy of the program's. It also holds
// a copy of the program's own connection to its display server. When the
// program's socket closes without a goodbye, the shell starts the program
// again in its display-end run (IsDisplayEndRun), which asks that
// connection whether the server closed it: only then has the display gone,
// however the program had reached it (a socket file, an abstract name, TCP,
// a name given on the command line). A kill or a crash with the display
// alive leaves everything as it is.
class TDisplayEndWatch {
 public:
  // Starts the watcher; the display-end run gets what the program left
  // pending, read only then: an idle watcher holds none of it. Without a
  // process to spare, or without a display connection to judge by, the
  // program runs without one.
  TDisplayEndWatch(TUniqueFd displayConnection, const TPendingBytes& pending);
  // The goodbye: the program ends through its own close, or a signal.
  ~TDisplayEndWatch();
  TDisplayEndWatch(const TDisplayEndWatch&) = delete;
  TDisplayEndWatch& operator=(const TDisplayEndWatch&) = delete;

 private:
  TUniqueFd toWatcher_;
};

// This run of the program is the watcher's display-end run, by its command
// line; an ordinary start otherwise.
bool IsDisplayEndRun(int argc, char** argv);

// What the display-end run saw: the watcher's socket at its end without a
// goodbye (the program is gone) and the display connection closed by the
// server (its display is gone). A run started any other way (by hand, from
// a terminal) has neither, and is told so.
bool WatcherSawTheDisplayEnd();

// The display-end run, once WatcherSawTheDisplayEnd: recordEnd gets what
// the program left pending. With the session gone, nobody is left to tell
// of a failure, so none passes out.
using TRecordEnd = void (*)(const std::optional<std::string>& pending);
void RecordDisplayEnd(TRecordEnd recordEnd);

}  // namespace Platform
