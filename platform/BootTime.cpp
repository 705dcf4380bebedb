#include "platform/BootTime.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

namespace Platform {

namespace {

std::optional<int64_t> BootSecondsFromProcStat() {
  std::ifstream file("/proc/stat");
  std::string line;
  while (std::getline(file, line)) {
    if (line.rfind("btime ", 0) != 0) continue;
    const char* digits = line.c_str() + 6;
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(digits, &end, 10);
    if (errno != 0 || end == digits || value <= 0) return std::nullopt;
    return value;
  }
  return std::nullopt;
}

std::optional<int64_t> BootSecondsFromClocks() {
  timespec now{}, sinceBoot{};
  if (clock_gettime(CLOCK_REALTIME, &now) != 0 || clock_gettime(CLOCK_BOOTTIME, &sinceBoot) != 0) {
    return std::nullopt;
  }
  return static_cast<int64_t>(now.tv_sec) - static_cast<int64_t>(sinceBoot.tv_sec);
}

}  // namespace

std::optional<int64_t> BootSeconds() {
  std::optional<int64_t> seconds = BootSecondsFromProcStat();
  if (!seconds) seconds = BootSecondsFromClocks();
  return seconds;
}

}  // namespace Platform
