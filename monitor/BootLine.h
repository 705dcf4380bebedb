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

enum TBootFinding { bfNothing, bfClockSetBack, bfKeptRunning, bfStartedAgain };

struct TBootReading {
  TBootFinding Finding = bfNothing;
  int64_t BootSeconds = 0;  // bfStartedAgain: when the computer started
  int64_t OffMinutes = 0;   // bfStartedAgain: from the last checkpoint to then
};

// What the boot time says of the stamp of the previous run's last
// checkpoint, given the stamp of this start: nothing when the previous
// stamp does not read as one, the boot time is unknown, or the two are too
// close to tell apart.
TBootReading ReadBootTime(std::string_view stampText, std::string_view startText, std::optional<int64_t> bootSeconds);

// The line below the abnormal verdict; empty for bfNothing. diedAsleep: the
// computer started afresh from that checkpoint's sleep, which the line says.
std::string BootTimeLine(const TBootReading& reading, bool diedAsleep = false);

inline std::string BootTimeLine(std::string_view stampText, std::string_view startText,
                                std::optional<int64_t> bootSeconds) {
  return BootTimeLine(ReadBootTime(stampText, startText, bootSeconds));
}

}  // namespace Monitor
