// Proleptic Gregorian dates as a count of days from 0000-03-01 and back: the
// two conversions every other date computation in the library rests on.
#pragma once

#include <cstdint>
#include <stdexcept>

#include "calendar/Cdatlib.h"

namespace Cdatlib {

// Invariant of both: an era is 400 years of 146097 days, and a year runs from
// March to February so that the leap day ends it; year 0 is a leap year.

// The latest day CivilFromDays gives, 65535-12-31, the largest year a TCalDate holds.
inline constexpr int64_t LastCivilDay = 23'936'471;

// Days from 0000-03-01 to year-month-day. Takes years 0..65536 (one past the
// largest TCalDate, for "the next New Year"), months 1..12 and days 0..32:
// the day enters linearly, so day 0 is the last day of the month before.
// Throws std::out_of_range outside those.
constexpr int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day) {
  if (year < 0 || year > 65536 || month < 1 || month > 12 || day < 0 || day > 32) {
    throw std::out_of_range("DaysFromCivil: date outside 0..65536-12-32");
  }
  const int64_t y = month <= 2 ? year - 1 : year;                                           // -1..65536
  const int64_t era = FloorDiv(y, 400);                                                     // -1..163
  const int64_t yearOfEra = y - era * 400;                                                  // 0..399
  const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;  // -1..368
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;   // -1..146099
  return era * 146097 + dayOfEra;  // -61..23'936'838; negative only for year 0 before March
}

// The date of a count of days from 0000-03-01. Takes 0..LastCivilDay; throws
// std::out_of_range outside it, where the era arithmetic below would need a
// negative era or the year would not fit 16 bits.
constexpr TCalDate CivilFromDays(int64_t days) {
  if (days < 0 || days > LastCivilDay) throw std::out_of_range("CivilFromDays: day count outside 0..LastCivilDay");
  const int64_t era = days / 146097;                                                                    // 0..163
  const int64_t dayOfEra = days - era * 146097;                                                         // 0..146096
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;  // 0..399
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);             // 0..365
  const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;                         // 0..11, 0 = March
  const int64_t day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;               // 1..31
  const int64_t month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;  // 1..12
  const int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);              // 0..65535
  return {static_cast<uint16_t>(year), static_cast<uint16_t>(month), static_cast<uint16_t>(day)};
}

static_assert(DaysFromCivil(65535, 12, 31) == LastCivilDay);

}  // namespace Cdatlib
