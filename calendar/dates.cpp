// Date order, leap years, month lengths and stepping by day, month and year.
#include <algorithm>

#include "calendar/Cdatlib.h"

namespace Cdatlib {

int32_t CompareDates(TCalDate a, TCalDate b) {
  if (a.Year != b.Year) return a.Year < b.Year ? -1 : 1;
  if (a.Month != b.Month) return a.Month < b.Month ? -1 : 1;
  if (a.Day != b.Day) return a.Day < b.Day ? -1 : 1;
  return 0;
}

bool SameDate(TCalDate a, TCalDate b) { return CompareDates(a, b) == 0; }
bool DateAfter(TCalDate a, TCalDate b) { return CompareDates(a, b) == 1; }
bool DateBefore(TCalDate a, TCalDate b) { return CompareDates(a, b) == -1; }
bool DateNotAfter(TCalDate a, TCalDate b) { return CompareDates(a, b) != 1; }

bool IsJulianLeapYear(int32_t year) { return year % 4 == 0; }

bool IsGregorianLeapYear(int32_t year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

void PrepareMonthLengths(TCalDate date) {
  std::copy(std::begin(StandardMonthLengths), std::end(StandardMonthLengths), std::begin(MonthLengths));
  // Dates in the skipped days already follow the Gregorian rule.
  const bool leap = DateNotAfter(date, LastJulianDay) ? IsJulianLeapYear(date.Year) : IsGregorianLeapYear(date.Year);
  if (leap) MonthLengths[2] = 29;
}

void NextYear(TCalDate& date) { date.Year = date.Year >= 9999 ? 0 : date.Year + 1; }

void PrevYear(TCalDate& date) { date.Year = date.Year == 0 ? 9999 : date.Year - 1; }

void NextMonth(TCalDate& date) {
  ++date.Month;
  if (date.Month > 12) {
    NextYear(date);
    date.Month = 1;
  }
}

void PrevMonth(TCalDate& date) {
  --date.Month;
  if (date.Month == 0) {
    PrevYear(date);
    date.Month = 12;
  }
}

void NextDay(TCalDate& date) {
  // A month past the table has no length; such a date steps to the next New Year.
  if (date.Month > 12) {
    NextYear(date);
    date.Month = 1;
    date.Day = 1;
  } else if (date.Day < StandardMonthLengths[date.Month]) {
    ++date.Day;
  } else if (date.Month == 2 && date.Day == 28 && IsGregorianLeapYear(date.Year)) {
    date.Day = 29;
  } else {
    NextMonth(date);
    date.Day = 1;
  }
}

bool IsPlausibleDate(TCalDate date) {
  return date.Year != 0 && date.Year != 9999 && date.Month >= 1 && date.Month <= 12 && date.Day >= 1 && date.Day <= 31;
}

}  // namespace Cdatlib
