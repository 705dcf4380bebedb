// Date order, leap years, stepping, plausibility and the reading of ISO texts.
#include "support/CdatlibTest.h"

using Cdatlib::TCalDate;

namespace {

class DatesTest : public CdatlibTest {};

TEST_F(DatesTest, OrderComparesYearThenMonthThenDayAsUnsigned) {
  struct Case {
    TCalDate a, b;
    int32_t expected;
  } cases[] = {
      {{2017, 1, 1}, {2017, 1, 1}, 0},   {{2016, 12, 31}, {2017, 1, 1}, -1}, {{2017, 13, 1}, {2017, 12, 31}, 1},
      {{2017, 2, 31}, {2017, 3, 1}, -1}, {{2017, 2, 31}, {2017, 2, 28}, 1},  {{65535, 0, 0}, {1, 1, 1}, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Cdatlib::CompareDates(c.a, c.b), c.expected) << c.a << " vs " << c.b;
    EXPECT_EQ(Cdatlib::SameDate(c.a, c.b), c.expected == 0) << c.a << " vs " << c.b;
    EXPECT_EQ(Cdatlib::DateAfter(c.a, c.b), c.expected == 1) << c.a << " vs " << c.b;
    EXPECT_EQ(Cdatlib::DateBefore(c.a, c.b), c.expected == -1) << c.a << " vs " << c.b;
    EXPECT_EQ(Cdatlib::DateNotAfter(c.a, c.b), c.expected != 1) << c.a << " vs " << c.b;
  }
}

TEST_F(DatesTest, LeapYears) {
  struct Case {
    int32_t year;
    bool julian, gregorian;
  } cases[] = {{0, true, true},    {4, true, true},      {1600, true, true}, {1700, true, false}, {1900, true, false},
               {2000, true, true}, {2017, false, false}, {-4, true, true},   {-100, true, false}, {2024, true, true}};
  for (const Case& c : cases) {
    EXPECT_EQ(Cdatlib::IsJulianLeapYear(c.year), c.julian) << c.year;
    EXPECT_EQ(Cdatlib::IsGregorianLeapYear(c.year), c.gregorian) << c.year;
  }
}

TEST_F(DatesTest, DaysInMonthUnderEachLeapRule) {
  struct Case {
    int32_t year, month, julian, gregorian;
  } cases[] = {{1700, 2, 29, 28}, {2000, 2, 29, 29},  {2017, 2, 28, 28}, {2017, 1, 31, 31},
               {2017, 4, 30, 30}, {2017, 12, 31, 31}, {2017, 0, 0, 0},   {2017, 13, 0, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(Cdatlib::DaysInMonth(c.year, c.month, Cdatlib::TLeapRule::Julian), c.julian) << c.year << "-" << c.month;
    EXPECT_EQ(Cdatlib::DaysInMonth(c.year, c.month, Cdatlib::TLeapRule::Gregorian), c.gregorian)
        << c.year << "-" << c.month;
  }
}

enum class Step { Day, NextMonth, PrevMonth, NextYear, PrevYear };

TEST_F(DatesTest, SteppingKeepsTheDayAndWraps) {
  struct Case {
    const char* name;
    Step step;
    TCalDate from, to;
  } cases[] = {
      {"leap February", Step::Day, {2016, 2, 28}, {2016, 2, 29}},
      {"common February", Step::Day, {2017, 2, 28}, {2017, 3, 1}},
      {"leap day on", Step::Day, {2016, 2, 29}, {2016, 3, 1}},
      {"no transition in NextDay", Step::Day, {1752, 9, 2}, {1752, 9, 3}},
      {"Gregorian rule in 1700", Step::Day, {1700, 2, 28}, {1700, 3, 1}},
      {"year end", Step::Day, {2017, 12, 31}, {2018, 1, 1}},
      {"last day wraps to year 0", Step::Day, {9999, 12, 31}, {0, 1, 1}},
      {"day past month end", Step::Day, {2017, 4, 40}, {2017, 5, 1}},
      {"day 0", Step::Day, {2017, 4, 0}, {2017, 4, 1}},
      {"month 0", Step::Day, {2017, 0, 9}, {2017, 1, 1}},
      {"month 13", Step::Day, {2017, 13, 9}, {2018, 1, 1}},
      {"month 65535", Step::Day, {2017, 65535, 9}, {2018, 1, 1}},
      {"month 13 in 9999", Step::Day, {9999, 13, 1}, {0, 1, 1}},
      {"December on", Step::NextMonth, {2017, 12, 31}, {2018, 1, 31}},
      {"no day correction", Step::NextMonth, {2017, 1, 31}, {2017, 2, 31}},
      {"January back", Step::PrevMonth, {2018, 1, 15}, {2017, 12, 15}},
      {"month 0 back wraps", Step::PrevMonth, {2018, 0, 15}, {2018, 65535, 15}},
      {"9999 on", Step::NextYear, {9999, 5, 5}, {0, 5, 5}},
      {"beyond 9999 on", Step::NextYear, {12000, 5, 5}, {0, 5, 5}},
      {"year 0 back", Step::PrevYear, {0, 5, 5}, {9999, 5, 5}},
      {"leap day a year on", Step::NextYear, {2016, 2, 29}, {2017, 2, 29}},
  };
  for (const Case& c : cases) {
    TCalDate d = c.from;
    switch (c.step) {
      case Step::Day: Cdatlib::NextDay(d); break;
      case Step::NextMonth: Cdatlib::NextMonth(d); break;
      case Step::PrevMonth: Cdatlib::PrevMonth(d); break;
      case Step::NextYear: Cdatlib::NextYear(d); break;
      case Step::PrevYear: Cdatlib::PrevYear(d); break;
    }
    EXPECT_EQ(d, c.to) << c.name;
  }
}

TEST_F(DatesTest, PlausibleDatesUsePlainRanges) {
  struct Case {
    TCalDate date;
    bool plausible;
  } cases[] = {{{2023, 2, 31}, true}, {{1, 1, 1}, true},     {{9998, 12, 31}, true},
               {{0, 1, 1}, false},    {{9999, 1, 1}, false}, {{2023, 13, 1}, false},
               {{2023, 0, 1}, false}, {{2023, 1, 0}, false}, {{2023, 1, 32}, false}};
  for (const Case& c : cases) EXPECT_EQ(Cdatlib::IsPlausibleDate(c.date), c.plausible) << c.date;
}

TEST_F(DatesTest, ParseIsoDateAcceptsFixedColumns) {
  struct Case {
    const char* text;
    TCalDate date;
  } cases[] = {
      {"2017-12-01", {2017, 12, 1}},  {"2017/12/01", {2017, 12, 1}}, {"2017-12-01  Fri", {2017, 12, 1}},
      {"2017-12- 1", {2017, 12, 1}},  {"  17-12-01", {17, 12, 1}},   {"2017--1-01", {2017, 65535, 1}},
      {"2017-13-45", {2017, 13, 45}}, {"$7E1-+1-x9", {2017, 1, 9}},  {"-001-01-01", {65535, 1, 1}},
  };
  for (const Case& c : cases) {
    TCalDate d{1, 2, 3};
    EXPECT_TRUE(Cdatlib::ParseIsoDate(c.text, d)) << c.text;
    EXPECT_EQ(d, c.date) << c.text;
    EXPECT_EQ(Cdatlib::DateFromIsoText(c.text), c.date) << c.text;
  }
}

TEST_F(DatesTest, ParseIsoDateRefusesAndLeavesTheDate) {
  const std::string cases[] = {"2017-12-1",
                               "YYYY-MM-DD",
                               "yyyy-mm-dd",
                               "2017-1a-01",
                               "2017-1 -01",
                               "",
                               "    -12-01",
                               "2017-12-+ ",
                               std::string("2017-12-\0"
                                           "1",
                                           10)};
  for (const std::string& text : cases) {
    TCalDate d{1, 2, 3};
    EXPECT_FALSE(Cdatlib::ParseIsoDate(text, d)) << text;
    EXPECT_EQ(d, (TCalDate{1, 2, 3})) << text;
    EXPECT_EQ(Cdatlib::DateFromIsoText(text), (TCalDate{0, 0, 0})) << text;
  }
}

}  // namespace
