// Day numbers counted the slow way, year by year and day by day, to check
// the library's arithmetic against. Used by tests and benchmarks only.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "calendar/Cdatlib.h"

namespace LoopCalendar {

using Cdatlib::TCalDate;

// Counting from FirstGregorianDay wraps to year 0 after 9999-12-31; the
// library counts every later date as that day.
inline constexpr TCalDate LastCountedDay = {9999, 12, 31};

inline TCalDate Capped(TCalDate d) { return Cdatlib::DateBefore(d, LastCountedDay) ? d : LastCountedDay; }

inline int32_t JulianDayCount(TCalDate d) {
  int32_t sum = 0;
  for (int32_t year = 1; year <= d.Year - 1; ++year) sum += Cdatlib::IsJulianLeapYear(year) ? 366 : 365;
  Cdatlib::PrepareMonthLengths(d);
  const int32_t lastMonth = std::min<int32_t>(d.Month, 13) - 1;
  for (int32_t month = 1; month <= lastMonth; ++month) sum += Cdatlib::MonthLengths[month];
  return sum + d.Day;
}

inline int32_t DaysFromFirstGregorian(TCalDate d) {
  d = Capped(d);
  TCalDate cursor = Cdatlib::FirstGregorianDay;
  int32_t count = 0;
  while (Cdatlib::DateNotAfter(cursor, d)) {
    ++count;
    const TCalDate before = cursor;
    Cdatlib::NextDay(cursor);
    if (Cdatlib::DateBefore(cursor, before)) break;  // wrapped past 9999-12-31
  }
  return count;
}

// The day-number steps, over whichever counts are handed in.
template <typename JulianCount, typename GregorianCount>
int32_t DayNumberWith(TCalDate d, JulianCount julianCount, GregorianCount gregorianCount) {
  using namespace Cdatlib;
  if (d.Year == 0) return -1;
  if (DateAfter(d, LastJulianDay) && DateBefore(d, FirstGregorianDay)) d = LastJulianDay;
  int32_t base = DateAfter(d, LastJulianDay) ? LastJulianDayNumber : julianCount(d);
  if (!DateBefore(d, FirstGregorianDay)) base += gregorianCount(d);
  return base;
}

inline int32_t DayNumber(TCalDate d) {
  return DayNumberWith(d, LoopCalendar::JulianDayCount, LoopCalendar::DaysFromFirstGregorian);
}

inline int32_t WeekdayOf(TCalDate d) { return d.Year == 0 ? 0 : (LoopCalendar::DayNumber(d) + 4) % 7 + 1; }

// The same loops, run once and remembered, so that millions of dates can be
// checked: the year sums of the Julian loop, and every position that the
// day-by-day cursor takes from FirstGregorianDay on for the current transition.
class RememberedLoops {
 public:
  RememberedLoops() {
    yearSums_.assign(65537, 0);
    for (int32_t year = 1; year <= 65535; ++year)
      yearSums_[year + 1] = yearSums_[year] + (Cdatlib::IsJulianLeapYear(year) ? 366 : 365);
    TCalDate cursor = Cdatlib::FirstGregorianDay;
    while (Cdatlib::DateNotAfter(cursor, LastCountedDay)) {
      cursorKeys_.push_back(Key(cursor));
      const TCalDate before = cursor;
      Cdatlib::NextDay(cursor);
      if (Cdatlib::DateBefore(cursor, before)) break;
    }
  }

  int32_t JulianDayCount(TCalDate d) const {
    int32_t sum = d.Year >= 1 ? yearSums_[d.Year] : 0;
    Cdatlib::PrepareMonthLengths(d);
    const int32_t lastMonth = std::min<int32_t>(d.Month, 13) - 1;
    for (int32_t month = 1; month <= lastMonth; ++month) sum += Cdatlib::MonthLengths[month];
    return sum + d.Day;
  }

  // The loop's count is the number of cursor positions not after d.
  int32_t DaysFromFirstGregorian(TCalDate d) const {
    const auto end = std::upper_bound(cursorKeys_.begin(), cursorKeys_.end(), Key(Capped(d)));
    return static_cast<int32_t>(end - cursorKeys_.begin());
  }

  int32_t DayNumber(TCalDate d) const {
    return DayNumberWith(
        d, [this](TCalDate x) { return JulianDayCount(x); }, [this](TCalDate x) { return DaysFromFirstGregorian(x); });
  }

  int32_t WeekdayOf(TCalDate d) const { return d.Year == 0 ? 0 : (DayNumber(d) + 4) % 7 + 1; }

 private:
  static uint64_t Key(TCalDate d) { return uint64_t{d.Year} << 32 | uint64_t{d.Month} << 16 | d.Day; }

  std::vector<int32_t> yearSums_;  // yearSums_[y]: days of years 1..y-1
  std::vector<uint64_t> cursorKeys_;
};

}  // namespace LoopCalendar
