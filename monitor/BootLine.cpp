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

TBootReading ReadBootTime(std::optional<int64_t> checkpointMoment, int64_t startMoment,
                          std::optional<int64_t> bootSeconds) {
  if (!checkpointMoment) return {};
  // A last checkpoint later than this start: the clock ran ahead then or
  // behind now, and the boot time, read on the same clock, tells nothing.
  if (startMoment < *checkpointMoment) return {bfClockSetBack};
  if (!bootSeconds) return {};
  const int64_t apart = *bootSeconds - *checkpointMoment;
  if (apart > -DoubtfulSeconds && apart < DoubtfulSeconds) return {};
  if (apart < 0) return {bfKeptRunning};
  return {bfStartedAgain, *bootSeconds, apart / 60};
}

std::string BootTimeLine(const TBootReading& reading, bool diedAsleep) {
  switch (reading.Finding) {
    case bfClockSetBack:
      return std::string(ClockSetBackWords) + " since the last checkpoint: how long the computer was off is unknown";
    case bfKeptRunning: return std::string(KeptRunningWords) + ": only this program was stopped";
    case bfStartedAgain:
      return std::string(ComputerStartedWords) + StampOfMinutes(WallMinuteAt(reading.BootSeconds)) +
             std::string(diedAsleep ? WithoutWakingWords : std::string_view()) + std::string(OffForWords) +
             DurationText(reading.OffMinutes);
    case bfNothing: break;
  }
  return "";
}

std::string BootTimeLine(std::string_view stampText, std::string_view startText, std::optional<int64_t> bootSeconds) {
  const std::optional<int64_t> start = MomentOfStamp(startText, "");
  if (!start) return "";
  return BootTimeLine(ReadBootTime(MomentOfStamp(stampText, ""), *start, bootSeconds));
}

}  // namespace Monitor
