// Day numbers, weekdays and the transition, case by case.
#include <vector>

#include "support/CdatlibTest.h"

using Cdatlib::TCalDate;

namespace {

class DayNumbersTest : public CdatlibTest {};

TEST_F(DayNumbersTest, NumbersAndWeekdaysUnderEachTransition) {
  struct Day {
    TCalDate date;
    int32_t dayNumber;
    int32_t weekday;
  };
  const struct {
    TCalDate lastJulian, firstGregorian;
    std::vector<Day> days;
  } cases[] = {
      {{1752, 9, 2},
       {1752, 9, 14},
       {{{1, 1, 1}, 1, 6},
        {{1752, 9, 2}, 639798, 3},
        {{1752, 9, 3}, 639798, 3},
        {{1752, 9, 13}, 639798, 3},
        {{1752, 9, 14}, 639799, 4},
        {{1752, 9, 15}, 639800, 5},
        {{2017, 12, 1}, 736666, 5},
        {{2024, 1, 1}, 738888, 1},
        {{2017, 2, 31}, 736390, 2},  // counts as 2017-02-28, a Tuesday
        {{2017, 2, 28}, 736390, 2},
        {{0, 5, 5}, -1, 0}}},
      {{1582, 10, 4},
       {1582, 10, 15},
       {{{1582, 10, 4}, 577737, 4}, {{1582, 10, 10}, 577737, 4}, {{1582, 10, 15}, 577738, 5}, {{1, 1, 1}, 1, 6}}},
      {{1582, 12, 9}, {1582, 12, 20}, {{{1582, 12, 9}, 577803, 7}, {{1582, 12, 20}, 577804, 1}}},
      {{1700, 2, 18},
       {1700, 3, 1},
       {{{1700, 2, 18}, 620608, 7}, {{1700, 2, 25}, 620608, 7}, {{1700, 3, 1}, 620609, 1}}},
  };
  for (const auto& c : cases) {
    Cdatlib::ApplyTransition(c.lastJulian, c.firstGregorian);
    for (const Day& d : c.days) {
      EXPECT_EQ(Cdatlib::DayNumber(d.date), d.dayNumber) << c.lastJulian << " " << d.date;
      EXPECT_EQ(Cdatlib::WeekdayOf(d.date), d.weekday) << c.lastJulian << " " << d.date;
    }
  }
}

TEST_F(DayNumbersTest, LastJulianDayNumberFollowsSetTransition) {
  EXPECT_EQ(Cdatlib::LastJulianDayNumber, 639798);
  Cdatlib::SetTransition({1582, 10, 4});
  EXPECT_EQ(Cdatlib::LastJulianDayNumber, 577737);
  EXPECT_EQ(Cdatlib::LastJulianDay, (TCalDate{1582, 10, 4}));
  EXPECT_EQ(Cdatlib::FirstGregorianDay, (TCalDate{1752, 9, 14})) << "SetTransition leaves the first Gregorian day";
  // 1700 is a Julian leap year: its February counts 29 days when it is the last Julian day.
  Cdatlib::SetTransition({1700, 3, 1});
  EXPECT_EQ(Cdatlib::LastJulianDayNumber, 620620);
}

struct CountCase {
  const char* name;
  TCalDate date;
  int32_t expected;
};

TEST_F(DayNumbersTest, JulianDayCountOfOddFields) {
  const CountCase cases[] = {
      {"first day", {1, 1, 1}, 1},
      {"default last Julian day", {1752, 9, 2}, 639798},
      {"1500-02-30 is 1500-03-01", {1500, 2, 30}, Cdatlib::JulianDayCount({1500, 3, 1})},
      {"day 0", {1, 1, 0}, 0},
      {"month 0", {1, 0, 5}, 5},
      {"month 13 sums the whole year", {1, 13, 0}, 365},
      {"month above 13 counts as 13", {1, 200, 0}, 365},
      {"year 0", {0, 3, 1}, 31 + 29 + 1},
      {"16-bit maxima", {65535, 65535, 65535}, 365 * 65534 + 65534 / 4 + 365 + 65535},
  };
  for (const CountCase& c : cases) EXPECT_EQ(Cdatlib::JulianDayCount(c.date), c.expected) << c.name;
}

TEST_F(DayNumbersTest, DaysFromFirstGregorian) {
  const CountCase cases[] = {
      {"the first Gregorian day itself", {1752, 9, 14}, 1},
      {"the day before it", {1752, 9, 13}, 0},
      {"a Julian date", {1000, 1, 1}, 0},
      {"day 31 of February", {2017, 2, 31}, Cdatlib::DaysFromFirstGregorian({2017, 2, 28})},
      {"month 13", {2017, 13, 5}, Cdatlib::DaysFromFirstGregorian({2017, 12, 31})},
      {"day 0", {2017, 3, 0}, Cdatlib::DaysFromFirstGregorian({2017, 2, 28})},
      {"the last counted day", {9999, 12, 31}, 3012263},
      {"past the last counted day", {9999, 12, 32}, 3012263},
      {"year 65535", {65535, 1, 1}, 3012263},
  };
  for (const CountCase& c : cases) EXPECT_EQ(Cdatlib::DaysFromFirstGregorian(c.date), c.expected) << c.name;
}

TEST_F(DayNumbersTest, MonthLengthsFollowTheCalendarOfTheDate) {
  struct Case {
    const char* name;
    TCalDate date;
    uint16_t february;
  } cases[] = {
      {"Julian 1700 before the Danish transition", {1700, 2, 10}, 29},
      {"skipped Danish days follow the Gregorian rule", {1700, 2, 20}, 28},
      {"Gregorian 2000", {2000, 1, 1}, 29},
      {"Gregorian 1900", {1900, 1, 1}, 28},
      {"Julian 1500", {1500, 1, 1}, 29},
  };
  Cdatlib::ApplyTransition({1700, 2, 18}, {1700, 3, 1});
  for (const Case& c : cases) {
    Cdatlib::PrepareMonthLengths(c.date);
    EXPECT_EQ(Cdatlib::MonthLengths[2], c.february) << c.name;
    EXPECT_EQ(Cdatlib::MonthLengths[1], 31) << c.name;
    EXPECT_EQ(Cdatlib::MonthLengths[0], 0) << c.name;
  }
  // A day number of a Julian date leaves its own year's lengths behind.
  Cdatlib::DayNumber({1500, 5, 5});
  EXPECT_EQ(Cdatlib::MonthLengths[2], 29);
}

}  // namespace
