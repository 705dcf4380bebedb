// Minutes of the local wall clock, as the stamps name them, and the real
// instants they stand for under the local time zone's rules.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace Monitor {

// Seconds from 1970-01-01 00:00 UTC of a minute of the local wall clock
// (minutes from 1970-01-01 00:00 of that clock). A minute that comes twice,
// when the clock is put back, means the earlier instant; a minute that the
// clock skipped, when put forward, is read as if it had not yet moved.
int64_t RealSecondsOfWallMinute(int64_t wallMinute);

// The same, but a minute that comes twice means the later instant: what a
// text read without its offset may mean at the latest.
int64_t LatestRealSecondsOfWallMinute(int64_t wallMinute);

// The instant a stamp text stands for: by the offset from UTC it was
// written with when that is known (a checkpoint's TripOffset), else by the
// local zone's rules, the earlier meaning in a repeated hour. Nothing when
// the stamp does not read as one.
std::optional<int64_t> MomentOfStamp(std::string_view stampText, std::string_view offsetText);

// The offset of the local clock from UTC at an instant, in seconds.
int64_t UtcOffsetAt(int64_t realSeconds);

// The minute the local wall clock shows at an instant.
int64_t WallMinuteAt(int64_t realSeconds);

// The real minutes from one wall-clock minute to another; negative when the
// second comes first.
int64_t RealMinutesBetween(int64_t fromWallMinute, int64_t toWallMinute);

}  // namespace Monitor
