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

// The line below the abnormal verdict, for the stamp of the previous run's
// last checkpoint and the stamp of this start: empty when the previous
// stamp does not read as one, the boot time is unknown, or the two are too
// close to tell apart.
std::string BootTimeLine(std::string_view stampText, std::string_view startText, std::optional<int64_t> bootSeconds);

}  // namespace Monitor
