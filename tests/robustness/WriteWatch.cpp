#include "WriteWatch.h"

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <stdexcept>

namespace PowerCut {

TWriteWatch::TWriteWatch(const std::string& folder) : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
  if (fd_ < 0 || ::inotify_add_watch(fd_, folder.c_str(), IN_CREATE | IN_MOVED_TO | IN_CLOSE_WRITE) < 0) {
    throw std::runtime_error("cannot watch " + folder);
  }
}

TWriteWatch::~TWriteWatch() { ::close(fd_); }

void TWriteWatch::Clear() {
  alignas(inotify_event) char buffer[4096];
  while (::read(fd_, buffer, sizeof buffer) > 0) {
  }
}

bool TWriteWatch::WatchUntil(Clock::time_point began, Clock::time_point deadline, TWriteTimes& times,
                             const std::function<bool()>& done) {
  alignas(inotify_event) char buffer[4096];
  for (;;) {
    const auto left = std::chrono::duration_cast<microseconds>(deadline - Clock::now());
    if (left.count() <= 0) return false;
    // poll() counts in milliseconds; the last fraction is slept precisely.
    if (left < std::chrono::milliseconds(1)) {
      ::usleep(static_cast<useconds_t>(left.count()));
      continue;
    }
    pollfd watch{fd_, POLLIN, 0};
    if (::poll(&watch, 1, static_cast<int>(left.count() / 1000)) <= 0) continue;
    const auto at = std::chrono::duration_cast<microseconds>(Clock::now() - began);
    const ssize_t got = ::read(fd_, buffer, sizeof buffer);
    for (ssize_t offset = 0; offset < got;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
      if ((event->mask & IN_CREATE) != 0 && !times.FirstNewFile) times.FirstNewFile = at;
      if ((event->mask & IN_MOVED_TO) != 0) {
        ++times.Renames;
        times.LastRename = at;
      }
      offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
    if (got > 0 && done && done()) return true;
  }
}

}  // namespace PowerCut
