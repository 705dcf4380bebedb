// The day count of proleptic Gregorian dates and back, over their whole range.
#include "calendar/civil_days.h"

#include <stdexcept>

#include "support/CdatlibTest.h"

using Cdatlib::TCalDate;

namespace {

// NextDay wraps after 9999; the counts go on to 65535.
TCalDate DayAfter(TCalDate d) {
  if (d.Day < Cdatlib::DaysInMonth(d.Year, d.Month, Cdatlib::TLeapRule::Gregorian)) {
    return {d.Year, d.Month, static_cast<uint16_t>(d.Day + 1)};
  }
  if (d.Month < 12) return {d.Year, static_cast<uint16_t>(d.Month + 1), 1};
  return {static_cast<uint16_t>(d.Year + 1), 1, 1};
}

// Every count in range names the day after the one before, and counts back to itself.
TEST(CivilDaysTest, EveryCountIsTheDayAfterThePreviousOne) {
  TCalDate previous = Cdatlib::CivilFromDays(0);
  ASSERT_EQ(previous, (TCalDate{0, 3, 1}));
  for (int64_t days = 1; days <= Cdatlib::LastCivilDay; ++days) {
    const TCalDate date = Cdatlib::CivilFromDays(days);
    const TCalDate expected = DayAfter(previous);
    if (date.Year != expected.Year || date.Month != expected.Month || date.Day != expected.Day ||
        Cdatlib::DaysFromCivil(date.Year, date.Month, date.Day) != days) {
      FAIL() << "day " << days << " is " << date << " after " << previous;
    }
    previous = date;
  }
  EXPECT_EQ(previous, (TCalDate{65535, 12, 31}));
}

TEST(CivilDaysTest, DaysZeroAndPastTheMonthEndCountOn) {
  struct Case {
    int64_t year, month, day, same_as_year, same_as_month, same_as_day;
  } cases[] = {{2000, 3, 0, 2000, 2, 29},
               {2001, 1, 0, 2000, 12, 31},
               {1900, 2, 29, 1900, 3, 1},
               {2017, 12, 32, 2018, 1, 1},
               {65536, 1, 1, 65535, 12, 32}};
  for (const Case& c : cases) {
    EXPECT_EQ(Cdatlib::DaysFromCivil(c.year, c.month, c.day),
              Cdatlib::DaysFromCivil(c.same_as_year, c.same_as_month, c.same_as_day))
        << c.year << "-" << c.month << "-" << c.day;
  }
}

TEST(CivilDaysTest, InputsOutsideTheRangeAreRefused) {
  EXPECT_THROW(Cdatlib::CivilFromDays(-1), std::out_of_range);
  EXPECT_THROW(Cdatlib::CivilFromDays(Cdatlib::LastCivilDay + 1), std::out_of_range);
  struct Case {
    int64_t year, month, day;
  } cases[] = {{-1, 3, 1}, {65537, 1, 1}, {2017, 0, 1}, {2017, 13, 1}, {2017, 1, -1}, {2017, 1, 33}};
  for (const Case& c : cases) {
    EXPECT_THROW(Cdatlib::DaysFromCivil(c.year, c.month, c.day), std::out_of_range)
        << c.year << "-" << c.month << "-" << c.day;
  }
}

}  // namespace
