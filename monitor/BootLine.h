// What the system's boot time says about an abnormal end: whether the
// computer itself went down, and for how long at most.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace Monitor {

// Seconds from 1970-01-01 00:00 UTC; tests put a boot time of their own in
// its place.
using TBootClock = std::function<std::optional<int64_t>()>;
extern TBootClock BootClock;  // Platform::BootSeconds at program start

// The beginnings of the lines, which the trip log keeps after the restart.
inline constexpr std::string_view ComputerStartedWords = "The computer started again at ";
inline constexpr std::string_view KeptRunningWords = "The computer kept running";
inline constexpr std::string_view ClockSetBackWords = "The clock was set back";
// After "The computer started again at <stamp>" when the run died asleep.
inline constexpr std::string_view WithoutWakingWords = " without waking from sleep";
// Before the time off, which the start computed from real instants.
inline constexpr std::string_view OffForWords = ": it was off for at most ";

enum TBootFinding { bfNothing, bfClockSetBack, bfKeptRunning, bfStartedAgain };

struct TBootReading {
  TBootFinding Finding = bfNothing;
  int64_t BootSeconds = 0;  // bfStartedAgain: when the computer started
  int64_t OffMinutes = 0;   // bfStartedAgain: from the last checkpoint to then
};

// What the boot time says of the instant of the previous run's last
// checkpoint (MomentOfStamp), given the instant of this start, all in
// seconds from 1970-01-01 00:00 UTC: nothing when the checkpoint's stamp
// does not read as one, the boot time is unknown, or the two are too close
// to tell apart. Instants rather than local texts, so that a change of time
// zone or a start in a repeated hour changes nothing but the texts shown.
TBootReading ReadBootTime(std::optional<int64_t> checkpointMoment, int64_t startMoment,
                          std::optional<int64_t> bootSeconds);

// The line below the abnormal verdict; empty for bfNothing. diedAsleep: the
// computer started afresh from that checkpoint's sleep, which the line says.
std::string BootTimeLine(const TBootReading& reading, bool diedAsleep = false);

// For two stamps without offsets, read by the local zone's rules.
std::string BootTimeLine(std::string_view stampText, std::string_view startText, std::optional<int64_t> bootSeconds);

}  // namespace Monitor
