// When the operating system last started, read on the local wall clock.
#pragma once

#include <cstdint>
#include <optional>

namespace Platform {

// Seconds from 1970-01-01 00:00 of the local wall clock (the UTC boot time
// plus the local offset then in force): from "btime" in /proc/stat, else
// the realtime clock minus the time since boot. Nothing when neither reads.
std::optional<int64_t> LocalBootSeconds();

}  // namespace Platform
