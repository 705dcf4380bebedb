// Watches the program's folder (inotify) while a start runs, to learn when
// the start writes its files: when the first new file appears and when each
// file is renamed into place. Waiting on it disturbs the program far less
// than reading the folder over and over.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace PowerCut {

using Clock = std::chrono::steady_clock;
using std::chrono::microseconds;

struct TWriteTimes {
  std::optional<microseconds> FirstNewFile;  // since the start
  std::optional<microseconds> LastRename;
  int Renames = 0;
};

class TWriteWatch {
 public:
  explicit TWriteWatch(const std::string& folder);
  ~TWriteWatch();
  TWriteWatch(const TWriteWatch&) = delete;
  TWriteWatch& operator=(const TWriteWatch&) = delete;

  // Forgets what an earlier start did.
  void Clear();
  // Notes the start's writes until the deadline, or until done() says so
  // after a file was written or renamed; times count from began. True when
  // done() said so.
  bool WatchUntil(Clock::time_point began, Clock::time_point deadline, TWriteTimes& times,
                  const std::function<bool()>& done = {});

 private:
  int fd_;
};

}  // namespace PowerCut
