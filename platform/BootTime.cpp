#include "platform/BootTime.h"

#include <cinttypes>
#include <cstdio>
#include <ctime>

namespace Platform {

namespace {

std::optional<int64_t> BootSecondsFromProcStat() {
  std::FILE* file = std::fopen("/proc/stat", "re");
  if (!file) return std::nullopt;
  std::optional<int64_t> seconds;
  char line[512];
  while (!seconds && std::fgets(line, sizeof line, file)) {
    int64_t value = 0;
    if (std::sscanf(line, "btime %" SCNd64, &value) == 1 && value > 0) seconds = value;
  }
  std::fclose(file);
  return seconds;
}

std::optional<int64_t> BootSecondsFromClocks() {
  timespec now{}, sinceBoot{};
  if (clock_gettime(CLOCK_REALTIME, &now) != 0 || clock_gettime(CLOCK_BOOTTIME, &sinceBoot) != 0) {
    return std::nullopt;
  }
  return static_cast<int64_t>(now.tv_sec) - static_cast<int64_t>(sinceBoot.tv_sec);
}

}  // namespace

std::optional<int64_t> LocalBootSeconds() {
  std::optional<int64_t> seconds = BootSecondsFromProcStat();
  if (!seconds) seconds = BootSecondsFromClocks();
  if (!seconds) return std::nullopt;
  const auto boot = static_cast<time_t>(*seconds);
  tm local{};
  if (!localtime_r(&boot, &local)) return std::nullopt;
  return *seconds + local.tm_gmtoff;
}

}  // namespace Platform
