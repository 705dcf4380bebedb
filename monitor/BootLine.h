// What the system's boot time says about an abnormal end: whether the
// computer itself went down, and for how long at most.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace Monitor {

// Seconds from 1970-01-01 00:00 of the local wall clock; tests put a boot
// time of their own in its place.
using TBootClock = std::function<std::optional<int64_t>()>;
extern TBootClock BootClock;  // Platform::LocalBootSeconds at program start

// The line below the abnormal verdict for the stamp of the previous run's
// last checkpoint; empty when the stamp does not read as one, the boot time
// is unknown, or the two are too close to tell apart.
std::string BootTimeLine(std::string_view stampText, std::optional<int64_t> bootSeconds);

}  // namespace Monitor
