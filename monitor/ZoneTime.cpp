#include "monitor/ZoneTime.h"

#include <algorithm>
#include <ctime>

#include "monitor/StampMinutes.h"

namespace Monitor {

namespace {

constexpr int64_t SecondsPerMinute = 60;

// No zone is more than 14 h off UTC, so a day before or after the wall
// time lies before or after any change of the clock near it; and changes
// are months apart, so there is at most one in between.
constexpr int64_t SecondsPerDay = 86400;

struct TMeanings {
  int64_t Earliest, Latest;
};

TMeanings MeaningsOfWallMinute(int64_t wallMinute) {
  const int64_t wall = wallMinute * SecondsPerMinute;
  const int64_t offsetBefore = UtcOffsetAt(wall - SecondsPerDay);
  const int64_t offsetAfter = UtcOffsetAt(wall + SecondsPerDay);
  if (offsetBefore == offsetAfter) return {wall - offsetBefore, wall - offsetBefore};
  // The clock changed near this minute. An offset fits when the instant it
  // gives has that offset itself: both fit a minute that came twice, none a
  // skipped one.
  const bool beforeFits = UtcOffsetAt(wall - offsetBefore) == offsetBefore;
  const bool afterFits = UtcOffsetAt(wall - offsetAfter) == offsetAfter;
  if (beforeFits && afterFits) {
    return {wall - std::max(offsetBefore, offsetAfter), wall - std::min(offsetBefore, offsetAfter)};
  }
  if (afterFits) return {wall - offsetAfter, wall - offsetAfter};
  return {wall - offsetBefore, wall - offsetBefore};  // skipped: read as if the clock had not yet moved
}

}  // namespace

// localtime_r rather than mktime with a chosen tm_isdst: glibc's mktime
// searches far and wide for an instant with the asked-for flag, which made
// a long log's outages take seconds to read.
int64_t UtcOffsetAt(int64_t realSeconds) {
  const auto instant = static_cast<time_t>(realSeconds);
  tm local{};
  if (!localtime_r(&instant, &local)) return 0;
  return local.tm_gmtoff;
}

int64_t RealSecondsOfWallMinute(int64_t wallMinute) { return MeaningsOfWallMinute(wallMinute).Earliest; }

int64_t LatestRealSecondsOfWallMinute(int64_t wallMinute) { return MeaningsOfWallMinute(wallMinute).Latest; }

std::optional<int64_t> MomentOfStamp(std::string_view stampText, std::string_view offsetText) {
  const std::optional<int64_t> wall = MinutesOfStamp(stampText);
  if (!wall) return std::nullopt;
  const std::optional<int64_t> offset = OffsetOfText(offsetText);
  return offset ? *wall * SecondsPerMinute - *offset : RealSecondsOfWallMinute(*wall);
}

int64_t WallMinuteAt(int64_t realSeconds) {
  const auto instant = static_cast<time_t>(realSeconds);
  tm local{};
  if (!localtime_r(&instant, &local)) return realSeconds / SecondsPerMinute;
  // The wall clock's seconds less its second of the minute: a whole minute.
  return (realSeconds + local.tm_gmtoff - local.tm_sec) / SecondsPerMinute;
}

int64_t RealMinutesBetween(int64_t fromWallMinute, int64_t toWallMinute) {
  return (RealSecondsOfWallMinute(toWallMinute) - RealSecondsOfWallMinute(fromWallMinute)) / SecondsPerMinute;
}

}  // namespace Monitor
