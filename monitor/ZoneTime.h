// Minutes of the local wall clock, as the stamps name them, and the real
// instants they stand for under the local time zone's rules.
#pragma once

#include <cstdint>

namespace Monitor {

// Seconds from 1970-01-01 00:00 UTC of a minute of the local wall clock
// (minutes from 1970-01-01 00:00 of that clock). A minute that comes twice,
// when the clock is put back, means the earlier instant; a minute that the
// clock skipped, when put forward, is read as if it had not yet moved.
int64_t RealSecondsOfWallMinute(int64_t wallMinute);

// The minute the local wall clock shows at an instant.
int64_t WallMinuteAt(int64_t realSeconds);

// The real minutes from one wall-clock minute to another; negative when the
// second comes first.
int64_t RealMinutesBetween(int64_t fromWallMinute, int64_t toWallMinute);

}  // namespace Monitor
