#include "monitor/BootLine.h"

#include "monitor/StampMinutes.h"
#include "platform/BootTime.h"

namespace Monitor {

TBootClock BootClock = Platform::LocalBootSeconds;

namespace {

// After an outage the clock may run wrong until network time sets it, so a
// boot this close to the last checkpoint could lie on either side of it.
constexpr int64_t DoubtfulSeconds = 120;

}  // namespace

std::string BootTimeLine(std::string_view stampText, std::optional<int64_t> bootSeconds) {
  const std::optional<int64_t> stamp = MinutesOfStamp(stampText);
  if (!stamp || !bootSeconds) return "";
  const int64_t bootMinute = *bootSeconds / 60 - (*bootSeconds % 60 < 0 ? 1 : 0);
  const int64_t apart = *bootSeconds - *stamp * 60;
  if (apart > -DoubtfulSeconds && apart < DoubtfulSeconds) return "";
  if (apart < 0) return "The computer kept running: only this program was stopped";
  return "The computer started again at " + StampOfMinutes(bootMinute) + ": it was off for at most " +
         DurationText(bootMinute - *stamp);
}

}  // namespace Monitor
