// The program's own connection to its display server, as the toolkit holds
// it: the display-end watcher keeps a copy of it and, when the program is
// gone, asks the connection itself whether the server closed it.
#pragma once

namespace Desktop {

// A new descriptor of that connection (close-on-exec), or -1 on a platform
// without one that the program can name (offscreen, or no display yet).
int DuplicateDisplayConnection();

}  // namespace Desktop
