// Readings of the local clock and of serial date-time values.
#include <cmath>
#include <ctime>

#include "calendar/Cdatlib.h"

namespace Cdatlib {

namespace {

// Rounds a reading to the whole second. A reading at hh:mm:59.5 or later
// keeps 59, so no reading ever names a later minute than the clock showed.
TClockTime HalfSecondStep(TClockTime time, uint16_t millisecond) {
  if (millisecond >= 500 && time.Second < 59) ++time.Second;
  return time;
}

constexpr int64_t MsPerDay = 86'400'000;
// Serial day of 9999-12-31; 1899-12-30 is day 0.
constexpr int64_t LastSerialDay = 2'958'465;

// Proleptic Gregorian date of a count of days from 0000-03-01, the usual
// era arithmetic: an era is 146097 days (400 years), a year starts in March
// so that the leap day falls at its end.
TCalDate CivilFromDays(int64_t days) {
  const int64_t era = days / 146097;
  const int64_t dayOfEra = days - era * 146097;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;  // 0 = March
  const int64_t day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
  const int64_t month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
  const int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
  return {static_cast<uint16_t>(year), static_cast<uint16_t>(month), static_cast<uint16_t>(day)};
}

// 1899-12-30 counted from 0000-03-01.
constexpr int64_t SerialEpochDays = 693'899;

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
  tm local{};
  localtime_r(&now.tv_sec, &local);
  return {{static_cast<uint16_t>(local.tm_year + 1900), static_cast<uint16_t>(local.tm_mon + 1),
           static_cast<uint16_t>(local.tm_mday)},
          {static_cast<uint16_t>(local.tm_hour), static_cast<uint16_t>(local.tm_min),
           static_cast<uint16_t>(local.tm_sec > 59 ? 59 : local.tm_sec)},
          static_cast<uint16_t>(now.tv_nsec / 1'000'000)};
}

TCalDateTime StampOfReading(const TClockReading& r) {
  return {r.Date, HalfSecondStep(r.Time, r.Millisecond)};
}

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

}  // namespace Cdatlib
