// When the operating system last started.
#pragma once

#include <cstdint>
#include <optional>

namespace Platform {

// Seconds from 1970-01-01 00:00 UTC: from "btime" in /proc/stat, else the
// realtime clock minus the time since boot. Nothing when neither reads.
std::optional<int64_t> BootSeconds();

}  // namespace Platform
