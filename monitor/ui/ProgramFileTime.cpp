#include "monitor/ui/ProgramFileTime.h"

#include <sys/stat.h>

#include <ctime>

namespace Monitor {

namespace {

constexpr double SecondsPerDay = 86400.0;
constexpr double SerialDayOf1970 = 25569.0;  // 1970-01-01 counted from 1899-12-30

}  // namespace

double FileModifiedValue(const std::string& path) {
  struct stat info {};
  if (path.empty() || stat(path.c_str(), &info) != 0) throw EDateEncodeError();
  tm local{};
  if (localtime_r(&info.st_mtim.tv_sec, &local) == nullptr) throw EDateEncodeError();
  // The local wall-clock time, counted as if it were UTC, is the serial
  // value's day and time of day.
  const time_t wallClock = timegm(&local);
  return SerialDayOf1970 + (static_cast<double>(wallClock) + info.st_mtim.tv_nsec / 1e9) / SecondsPerDay;
}

}  // namespace Monitor
