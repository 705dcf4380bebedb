// Readings of the local clock and of serial date-time values.
#include <cmath>
#include <ctime>

#include "calendar/Cdatlib.h"
#include "calendar/civil_days.h"

namespace Cdatlib {

namespace {

// Rounds a reading to the whole second. A reading at hh:mm:59.5 or later
// keeps 59, so no reading ever names a later minute than the clock showed.
TClockTime HalfSecondStep(TClockTime time, uint16_t millisecond) {
  if (millisecond >= 500 && time.Second < 59) ++time.Second;
  return time;
}

constexpr int64_t MsPerDay = 86'400'000;
// Serial day 0, 1899-12-30, in the count of CivilFromDays.
constexpr int64_t SerialEpochDays = DaysFromCivil(1899, 12, 30);
// Serial day of 9999-12-31, the last a serial value may name.
constexpr int64_t LastSerialDay = DaysFromCivil(9999, 12, 31) - SerialEpochDays;
// 1970-01-01 and the range of the Unix day counts, in the count of CivilFromDays.
constexpr int64_t UnixEpochDays = DaysFromCivil(1970, 1, 1);
constexpr int64_t FirstUnixDay = DaysFromCivil(1, 1, 1) - UnixEpochDays;
constexpr int64_t LastUnixDay = DaysFromCivil(9999, 12, 31) - UnixEpochDays;
static_assert(LastSerialDay == 2'958'465);

struct SerialParts {
  bool valid;
  int64_t day;
  int64_t msOfDay;
};

SerialParts SplitSerial(double value) {
  if (!std::isfinite(value) || value < 0) return {false, 0, 0};
  const double ms = std::nearbyint(value * static_cast<double>(MsPerDay));
  if (ms >= static_cast<double>((LastSerialDay + 1) * MsPerDay)) return {false, 0, 0};
  const auto total = static_cast<int64_t>(ms);
  return {true, total / MsPerDay, total % MsPerDay};
}

}  // namespace

TClockReading ReadLocalClock() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return ReadingOfInstant(now.tv_sec, now.tv_nsec);
}

TClockReading ReadingOfInstant(int64_t seconds, int64_t nanoseconds) {
  const auto instant = static_cast<time_t>(seconds);
  tm local{};
  localtime_r(&instant, &local);
  return {{static_cast<uint16_t>(local.tm_year + 1900), static_cast<uint16_t>(local.tm_mon + 1),
           static_cast<uint16_t>(local.tm_mday)},
          {static_cast<uint16_t>(local.tm_hour), static_cast<uint16_t>(local.tm_min),
           static_cast<uint16_t>(local.tm_sec > 59 ? 59 : local.tm_sec)},
          static_cast<uint16_t>(nanoseconds / 1'000'000)};
}

TCalDateTime StampOfReading(const TClockReading& r) { return {r.Date, HalfSecondStep(r.Time, r.Millisecond)}; }

TCalDate Today() { return ReadLocalClock().Date; }

TClockTime TimeNow() { return StampOfReading(ReadLocalClock()).Time; }

TCalDateTime NowStamp() { return StampOfReading(ReadLocalClock()); }

TCalDate DateFromValue(double value) {
  const SerialParts parts = SplitSerial(value);
  if (!parts.valid || value == 0) return {0, 0, 0};
  return CivilFromDays(parts.day + SerialEpochDays);
}

TClockTime TimeFromValue(double value) {
  const SerialParts parts = SplitSerial(value);
  const int64_t ms = parts.msOfDay;
  const TClockTime whole{static_cast<uint16_t>(ms / 3'600'000), static_cast<uint16_t>(ms / 60'000 % 60),
                         static_cast<uint16_t>(ms / 1000 % 60)};
  return HalfSecondStep(whole, static_cast<uint16_t>(ms % 1000));
}

TCalDateTime StampFromValue(double value) { return {DateFromValue(value), TimeFromValue(value)}; }

int64_t UnixDayOfDate(TCalDate date) { return DaysFromCivil(date.Year, date.Month, date.Day) - UnixEpochDays; }

TCalDate DateOfUnixDay(int64_t day) {
  if (day < FirstUnixDay || day > LastUnixDay) return {};
  return CivilFromDays(day + UnixEpochDays);
}

}  // namespace Cdatlib
