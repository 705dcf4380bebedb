// Date order, leap years, month lengths and stepping by day, month and year.
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

int32_t DaysInMonth(int32_t year, int32_t month, TLeapRule rule) {
  if (month < 1 || month > 12) return 0;
  if (month != 2) return StandardMonthLengths[month];
  const bool leap = rule == TLeapRule::Julian ? IsJulianLeapYear(year) : IsGregorianLeapYear(year);
  return leap ? 29 : 28;
}

void PrepareMonthLengths(TCalDate date) {
  // Dates in the skipped days already follow the Gregorian rule.
  const TLeapRule rule = DateNotAfter(date, LastJulianDay) ? TLeapRule::Julian : TLeapRule::Gregorian;
  for (int32_t month = 0; month <= 12; ++month) {
    MonthLengths[month] = static_cast<uint16_t>(DaysInMonth(date.Year, month, rule));
  }
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
  // Months have their Gregorian lengths on either side of the transition.
  // A month past the table has no length; such a date steps to the next New Year.
  if (date.Month > 12) {
    NextYear(date);
    date.Month = 1;
    date.Day = 1;
  } else if (date.Day < DaysInMonth(date.Year, date.Month, TLeapRule::Gregorian)) {
    ++date.Day;
  } else {
    NextMonth(date);
    date.Day = 1;
  }
}

bool IsPlausibleDate(TCalDate date) {
  return date.Year != 0 && date.Year != 9999 && date.Month >= 1 && date.Month <= 12 && date.Day >= 1 && date.Day <= 31;
}

}  // namespace Cdatlib
