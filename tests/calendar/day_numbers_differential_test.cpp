// The arithmetic day numbers against the year-by-year and day-by-day loops,
// over every date of years 1 to 2100 (months 0..13, days 0..31) and random
// dates over the whole 16-bit range, under several transitions.
#include <algorithm>
#include <random>

#include "support/CdatlibTest.h"
#include "support/LoopCalendar.h"

using Cdatlib::TCalDate;

namespace {

struct Observed {
  int32_t julianCount, daysFromFirst, dayNumber, weekday;
  uint16_t februaryAfterDayNumber;
};

// What the library gives for d, and what the remembered loops give.
Observed FromLibrary(TCalDate d) {
  Observed o{};
  o.julianCount = Cdatlib::JulianDayCount(d);
  o.daysFromFirst = Cdatlib::DaysFromFirstGregorian(d);
  o.dayNumber = Cdatlib::DayNumber(d);
  o.februaryAfterDayNumber = Cdatlib::MonthLengths[2];
  o.weekday = Cdatlib::WeekdayOf(d);
  return o;
}

Observed FromLoops(const LoopCalendar::RememberedLoops& loops, TCalDate d) {
  Observed o{};
  o.julianCount = loops.JulianDayCount(d);
  o.daysFromFirst = loops.DaysFromFirstGregorian(d);
  o.dayNumber = loops.DayNumber(d);
  o.februaryAfterDayNumber = Cdatlib::MonthLengths[2];
  o.weekday = loops.WeekdayOf(d);
  return o;
}

// Counts mismatches and reports the first few by date.
class Comparison {
 public:
  explicit Comparison(const char* transition) : transition_(transition) {}
  void Check(const LoopCalendar::RememberedLoops& loops, TCalDate d) {
    ++checked_;
    const Observed expected = FromLoops(loops, d);
    const Observed actual = FromLibrary(d);
    if (expected.julianCount == actual.julianCount && expected.daysFromFirst == actual.daysFromFirst &&
        expected.dayNumber == actual.dayNumber && expected.weekday == actual.weekday &&
        expected.februaryAfterDayNumber == actual.februaryAfterDayNumber)
      return;
    if (++mismatches_ <= 5)
      ADD_FAILURE() << transition_ << ": date " << d << " julianCount " << actual.julianCount << "/"
                    << expected.julianCount << " daysFromFirst " << actual.daysFromFirst << "/"
                    << expected.daysFromFirst << " dayNumber " << actual.dayNumber << "/" << expected.dayNumber
                    << " weekday " << actual.weekday << "/" << expected.weekday << " February after "
                    << actual.februaryAfterDayNumber << "/" << expected.februaryAfterDayNumber << " (library/loop)";
  }
  ~Comparison() { EXPECT_EQ(mismatches_, 0) << transition_ << ": mismatches among " << checked_ << " dates"; }

 private:
  const char* transition_;
  long checked_ = 0;
  long mismatches_ = 0;
};

TCalDate RandomDate(std::mt19937& random) {
  std::uniform_int_distribution<int> any(0, 65535);
  std::uniform_int_distribution<int> year(0, 10001), month(0, 14), day(0, 33);
  // Half over the whole 16-bit range, half close to real dates.
  if (random() % 2 == 0) return {uint16_t(any(random)), uint16_t(any(random)), uint16_t(any(random))};
  return {uint16_t(year(random)), uint16_t(month(random)), uint16_t(day(random))};
}

class DifferentialTest : public CdatlibTest {};

struct TTransition {
  const char* name;
  TCalDate lastJulian, firstGregorian;
};

// The national transitions of 1582 to 1752.
const TTransition National[] = {
    {"1752 Great Britain", {1752, 9, 2}, {1752, 9, 14}},
    {"1582 Spain", {1582, 10, 4}, {1582, 10, 15}},
    {"1582 France", {1582, 12, 9}, {1582, 12, 20}},
    {"1700 Denmark", {1700, 2, 18}, {1700, 3, 1}},
};

// Compares each date that dates hands to its check under the transition.
template <typename Dates>
void CompareUnder(const TTransition& t, Dates dates) {
  Cdatlib::ApplyTransition(t.lastJulian, t.firstGregorian);
  const LoopCalendar::RememberedLoops loops;
  Comparison comparison(t.name);
  dates([&](TCalDate d) { comparison.Check(loops, d); });
}

TEST_F(DifferentialTest, EveryDateOfYears1To2100UnderEachNationalTransition) {
  for (const TTransition& t : National) {
    CompareUnder(t, [](auto check) {
      for (uint16_t year = 1; year <= 2100; ++year)
        for (uint16_t month = 0; month <= 13; ++month)
          for (uint16_t day = 0; day <= 31; ++day) check({year, month, day});
    });
  }
}

TEST_F(DifferentialTest, RandomDatesOverTheWhole16BitRangeUnderEachNationalTransition) {
  std::mt19937 random(20261208);
  for (const TTransition& t : National) {
    CompareUnder(t, [&](auto check) {
      for (int i = 0; i < 100000; ++i) check(RandomDate(random));
    });
  }
}

// Typed transitions may hold anything: dates that are no real days, years
// past 9999, a first Gregorian day before the last Julian day.
TEST_F(DifferentialTest, RandomDatesUnderOddTransitions) {
  const TTransition odd[] = {
      {"MonthZeroDayZero", {1600, 0, 0}, {1600, 0, 5}},
      {"Month13", {1800, 13, 5}, {1801, 13, 40}},
      {"DayPastMonthEnd", {1900, 2, 29}, {1900, 2, 40}},
      {"FirstBeforeLast", {2000, 6, 1}, {1999, 6, 1}},
      {"Year0", {0, 5, 5}, {0, 6, 6}},
      {"LateYears", {9999, 12, 30}, {9999, 12, 31}},
      {"PastLastCountedDay", {9999, 12, 31}, {10000, 5, 5}},
      {"HugeFields", {65535, 65535, 65535}, {65535, 65535, 65535}},
      {"FirstGregorianNotReal", {1582, 10, 4}, {1582, 9, 31}},
  };
  std::mt19937 random(77);
  for (const TTransition& t : odd) {
    CompareUnder(t, [&](auto check) {
      for (int i = 0; i < 20000; ++i) check(RandomDate(random));
      check(t.lastJulian);
      check(t.firstGregorian);
    });
  }
}

// The remembered loops stand in for the literal ones above; this keeps them honest.
TEST_F(DifferentialTest, RememberedLoopsAgreeWithLiteralLoops) {
  std::mt19937 random(5);
  std::uniform_int_distribution<int> year(1, 2100), month(0, 13), day(0, 31);
  const LoopCalendar::RememberedLoops loops;
  for (int i = 0; i < 300; ++i) {
    const TCalDate d{uint16_t(year(random)), uint16_t(month(random)), uint16_t(day(random))};
    EXPECT_EQ(loops.DayNumber(d), LoopCalendar::DayNumber(d)) << d;
    EXPECT_EQ(loops.DaysFromFirstGregorian(d), LoopCalendar::DaysFromFirstGregorian(d)) << d;
  }
  const TCalDate late{60000, 70, 900};
  EXPECT_EQ(loops.JulianDayCount(late), LoopCalendar::JulianDayCount(late));
  EXPECT_EQ(loops.DaysFromFirstGregorian(late), LoopCalendar::DaysFromFirstGregorian(late));
}

}  // namespace
