#include "monitor/BootLine.h"

#include "monitor/StampMinutes.h"
#include "monitor/ZoneTime.h"
#include "platform/BootTime.h"

namespace Monitor {

TBootClock BootClock = Platform::BootSeconds;

namespace {

// After an outage the clock may run wrong until network time sets it, so a
// boot this close to the last checkpoint could lie on either side of it.
constexpr int64_t DoubtfulSeconds = 120;

}  // namespace

std::string BootTimeLine(std::string_view stampText, std::string_view startText, std::optional<int64_t> bootSeconds) {
  const std::optional<int64_t> stamp = MinutesOfStamp(stampText);
  if (!stamp) return "";
  // A last checkpoint later than this start: the clock ran ahead then or
  // behind now, and the boot time, read on the same clock, tells nothing.
  const std::optional<int64_t> start = MinutesOfStamp(startText);
  if (start && RealMinutesBetween(*stamp, *start) < 0) {
    return std::string(ClockSetBackWords) + " since the last checkpoint: how long the computer was off is unknown";
  }
  if (!bootSeconds) return "";
  const int64_t apart = *bootSeconds - RealSecondsOfWallMinute(*stamp);
  if (apart > -DoubtfulSeconds && apart < DoubtfulSeconds) return "";
  if (apart < 0) return std::string(KeptRunningWords) + ": only this program was stopped";
  return std::string(ComputerStartedWords) + StampOfMinutes(WallMinuteAt(*bootSeconds)) + ": it was off for at most " +
         DurationText(apart / 60);
}

}  // namespace Monitor
