// Day numbers across the Julian-Gregorian transition, and weekdays.
//
// The numbers are those of counting year by year and day by day from
// 0001-01-01, for every value a date can hold, but each is found in constant
// time: the Julian count is a closed sum, and the Gregorian count from
// FirstGregorianDay is a difference of DaysFromCivil counts.
#include <algorithm>

#include "calendar/Cdatlib.h"
#include "calendar/civil_days.h"

namespace Cdatlib {

namespace {

// CumulativeDays[k]: days of months 1..k in a common year.
constexpr int32_t CumulativeDays[13] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};

constexpr TCalDate LastCountedDay = {9999, 12, 31};

bool IsRealGregorianDay(TCalDate d) {
  return d.Month >= 1 && d.Month <= 12 && d.Day >= 1 && d.Day <= DaysInMonth(d.Year, d.Month, TLeapRule::Gregorian);
}

// Ordinal of the latest real day not after d in the date order.
int64_t FloorOrdinal(TCalDate d) {
  if (d.Month == 0) return DaysFromCivil(d.Year, 1, 1) - 1;
  if (d.Month > 12) return DaysFromCivil(d.Year + 1, 1, 1) - 1;
  const int64_t length = DaysInMonth(d.Year, d.Month, TLeapRule::Gregorian);
  return DaysFromCivil(d.Year, d.Month, std::min<int64_t>(d.Day, length));
}

// Ordinal of the earliest real day not before d in the date order.
int64_t CeilOrdinal(TCalDate d) {
  if (d.Month == 0) return DaysFromCivil(d.Year, 1, 1);
  if (d.Month > 12) return DaysFromCivil(d.Year + 1, 1, 1);
  const int64_t length = DaysInMonth(d.Year, d.Month, TLeapRule::Gregorian);
  return DaysFromCivil(d.Year, d.Month, std::clamp<int64_t>(d.Day, 1, length + 1));
}

}  // namespace

int32_t JulianDayCount(TCalDate date) {
  // Every fourth Julian year is a leap year: years 1..Y-1 hold (Y-1)/4 of them.
  const int32_t priorYears = date.Year >= 1 ? date.Year - 1 : 0;
  const int32_t yearDays = 365 * priorYears + priorYears / 4;
  PrepareMonthLengths(date);
  const int32_t fullMonths = std::min<int32_t>(date.Month, 13) - 1;
  int32_t monthDays = 0;
  if (fullMonths > 0) monthDays = CumulativeDays[fullMonths] + (fullMonths >= 2 ? MonthLengths[2] - 28 : 0);
  return yearDays + monthDays + date.Day;
}

void SetTransition(TCalDate lastJulian) {
  // LastJulianDay first: the count then sees the date as Julian.
  LastJulianDay = lastJulian;
  LastJulianDayNumber = JulianDayCount(lastJulian);
}

void ApplyTransition(TCalDate lastJulian, TCalDate firstGregorian) {
  SetTransition(lastJulian);
  FirstGregorianDay = firstGregorian;
}

int32_t DaysFromFirstGregorian(TCalDate date) {
  // Counting day by day from FirstGregorianDay wraps to year 0 after
  // 9999-12-31, so later dates count as that day.
  if (!DateBefore(date, LastCountedDay)) date = LastCountedDay;
  if (DateAfter(FirstGregorianDay, date)) return 0;
  // The count takes FirstGregorianDay itself, then every real day after it.
  const int64_t realDays = std::max<int64_t>(0, FloorOrdinal(date) - CeilOrdinal(FirstGregorianDay) + 1);
  return static_cast<int32_t>(realDays + (IsRealGregorianDay(FirstGregorianDay) ? 0 : 1));
}

int32_t DayNumber(TCalDate date) {
  if (date.Year == 0) return -1;
  // The skipped days take the number of the last Julian day.
  if (DateAfter(date, LastJulianDay) && DateBefore(date, FirstGregorianDay)) date = LastJulianDay;
  int32_t number = DateAfter(date, LastJulianDay) ? LastJulianDayNumber : JulianDayCount(date);
  if (!DateBefore(date, FirstGregorianDay)) number += DaysFromFirstGregorian(date);
  return number;
}

int32_t WeekdayOf(TCalDate date) {
  if (date.Year == 0) return 0;
  // Day 1, 0001-01-01, is a Saturday (6).
  return (DayNumber(date) + 4) % 7 + 1;
}

}  // namespace Cdatlib
