// Which dates the dialogs refuse, and what they say about them.
#include "dialogs/cal/RealDays.h"
#include "dialogs/cal/Transition.h"
#include "support/CdatlibTest.h"

using Cdatlib::TCalDate;

namespace {

class DateChecksTest : public CdatlibTest {};

TEST_F(DateChecksTest, TransitionPairs) {
  struct Case {
    const char* name;
    TCalDate lastJulian, firstGregorian;
    const char* problem;
  } cases[] = {
      {"preset", {1582, 10, 4}, {1582, 10, 15}, ""},
      {"across months", {1700, 2, 18}, {1700, 3, 1}, ""},
      {"Julian leap day", {1700, 2, 29}, {1700, 3, 11}, ""},
      {"Julian 30 February",
       {1700, 2, 30},
       {1700, 3, 11},
       "The last Julian day 1700-02-30 does not exist: February 1700 has 29 days in the Julian calendar."},
      {"Gregorian 29 February 1700",
       {1700, 2, 18},
       {1700, 2, 29},
       "The first Gregorian day 1700-02-29 does not exist: February 1700 has 28 days in the Gregorian calendar."},
      {"month 13",
       {1582, 13, 4},
       {1583, 1, 15},
       "The last Julian day 1582-13-04 does not exist: there is no month 13."},
      {"day 0",
       {1582, 10, 4},
       {1582, 10, 0},
       "The first Gregorian day 1582-10-00 does not exist: October 1582 has 31 days in the Gregorian calendar."},
      {"year 0",
       {0, 10, 4},
       {1582, 10, 15},
       "The last Julian day 0000-10-04 does not exist: year 0 does not exist, the Julian calendar jumps from 1BC to "
       "1AD."},
      {"year 9999",
       {9998, 12, 20},
       {9999, 1, 2},
       "The first Gregorian day 9999-01-02 does not exist: the year must lie from 1 to 9998."},
      {"same day",
       {1752, 9, 2},
       {1752, 9, 2},
       "The first Gregorian day 1752-09-02 must come after the last Julian day 1752-09-02."},
      {"backwards",
       {1752, 9, 14},
       {1752, 9, 2},
       "The first Gregorian day 1752-09-02 must come after the last Julian day 1752-09-14."},
  };
  for (const Case& c : cases)
    EXPECT_EQ(cal::TransitionPairProblem(c.lastJulian, c.firstGregorian), c.problem) << c.name;
}

TEST_F(DateChecksTest, PickedTexts) {
  struct Case {
    const char* text;
    const char* problem;
  } cases[] = {
      {"2017-12-01  Fri", ""},
      {"1752-09-02", ""},
      {"1752-09-14", ""},
      {"9999-12-31", ""},
      {"yyyy-mm-dd", "\"yyyy-mm-dd\" is not a date of the form yyyy-mm-dd."},
      {"2017-2-3", "\"2017-2-3\" is not a date of the form yyyy-mm-dd."},
      {"2017-02-31  Tue", "2017-02-31 is not a day of the calendar: February 2017 has 28 days."},
      {"1700-02-29", ""},
      {"1900-02-29", "1900-02-29 is not a day of the calendar: February 1900 has 28 days."},
      {"1600-02-29", ""},
      {"1752-09-05",
       "1752-09-05 is not a day of the calendar: the days after 1752-09-02 and before 1752-09-14 were "
       "skipped by the change to the Gregorian calendar."},
      {"0000-05-10  ",
       "0000-05-10 is not a day of the calendar: year 0 does not exist, the Julian calendar jumps "
       "from 1BC to 1AD."},
      {"2017-13-01", "2017-13-01 is not a day of the calendar: there is no month 13."},
  };
  for (const Case& c : cases) EXPECT_EQ(cal::PickedTextProblem(c.text), c.problem) << c.text;
}

TEST_F(DateChecksTest, TypedYears) {
  EXPECT_EQ(cal::YearEntryProblem(0), "Year 0 does not exist, the Julian calendar jumps from 1BC to 1AD");
  EXPECT_EQ(cal::YearEntryProblem(1), "");
  EXPECT_EQ(cal::YearEntryProblem(9999), "");
  EXPECT_EQ(cal::YearEntryProblem(70000), "Year 70000 is outside the calendar: enter a year from 1 to 9999.");
  EXPECT_EQ(cal::YearEntryProblem(-44), "Year -44 is outside the calendar: enter a year from 1 to 9999.");
}

}  // namespace
