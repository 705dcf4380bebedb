// Padded numbers, names, timestamp texts in every style, and serial values.
#include <cmath>
#include <limits>

#include "support/CdatlibTest.h"

using Cdatlib::TCalDate;
using Cdatlib::TCalDateTime;
using Cdatlib::TClockTime;

namespace {

class StampTextsTest : public CdatlibTest {};

const TCalDateTime Friday{{2017, 12, 1}, {10, 22, 5}};

TEST_F(StampTextsTest, PadNumberFillsButNeverCuts) {
  struct Case {
    int32_t value, width;
    char pad;
    const char* expected;
  } cases[] = {{7, 2, '0', "07"},
               {7, 2, ' ', " 7"},
               {12345, 4, '0', "12345"},
               {-5, 4, '0', "00-5"},
               {0, 0, '0', "0"},
               {3, -1, '0', "3"},
               {-2147483647 - 1, 12, '*', "*-2147483648"}};
  for (const Case& c : cases) {
    Cdatlib::PadChar = c.pad;
    EXPECT_EQ(Cdatlib::PadNumber(c.value, c.width), c.expected) << c.value << " to " << c.width;
  }
}

TEST_F(StampTextsTest, NamesInsideAndOutsideTheirTables) {
  struct Case {
    std::string actual, expected;
  } cases[] = {
      {Cdatlib::MonthName(9), "September"}, {Cdatlib::MonthName(1), "January"}, {Cdatlib::MonthName(0), ""},
      {Cdatlib::MonthName(13), ""},         {Cdatlib::DayName(7), "Sunday"},    {Cdatlib::DayName(8), ""},
      {Cdatlib::DayName(-1), ""},           {Cdatlib::ShortDayName(3), "Wed"},  {Cdatlib::ShortDayName(0), ""}};
  for (const Case& c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST_F(StampTextsTest, StampTextInEveryStyle) {
  struct Case {
    Cdatlib::TStampStyle style;
    const char* expected;
  } cases[] = {{0, "20171201102205"},         {1, "2017-12-01 10:22:05"},       {2, "2017-12-01 10:22"},
               {3, "2017-12-01 (Fri) 10:22"}, {4, "2017-12-01 (Friday) 10:22"}, {5, "?20171201102205"},
               {-1, "?20171201102205"}};
  for (const Case& c : cases) {
    Cdatlib::StampStyle = c.style;
    EXPECT_EQ(Cdatlib::StampText(Friday), c.expected) << "style " << c.style;
  }
}

TEST_F(StampTextsTest, DateAndTimeTexts) {
  EXPECT_EQ(Cdatlib::IsoDateText({5, 3, 7}), "0005-03-07");
  EXPECT_EQ(Cdatlib::DateWithShortWeekday({2017, 12, 1}), "2017-12-01  Fri");
  EXPECT_EQ(Cdatlib::DateWithShortWeekday({0, 0, 0}), "0000-00-00  ");
  EXPECT_EQ(Cdatlib::TimeText({10, 22, 5}), "10:22:05");
  EXPECT_EQ(Cdatlib::ShortTimeText({7, 5, 59}), "07:05");
  // Fields above 99 run into their neighbours' digits.
  EXPECT_EQ(Cdatlib::CompactStampText({{2017, 13, 100}, {24, 60, 100}}), "20171400246100");
  EXPECT_EQ(Cdatlib::CompactStampText({{65535, 65535, 65535}, {65535, 65535, 65535}}), "661969035661969035");
}

TEST_F(StampTextsTest, BlankPadCharFillsEveryNumber) {
  Cdatlib::PadChar = ' ';
  EXPECT_EQ(Cdatlib::IsoDateText({5, 3, 7}), "   5- 3- 7");
  EXPECT_EQ(Cdatlib::StampText({{5, 3, 7}, {1, 2, 3}}), "   5- 3- 7  1: 2: 3");
}

TEST_F(StampTextsTest, StyleIsReadAtEveryCall) {
  Cdatlib::StampStyle = 1;
  const std::string before = Cdatlib::StampText(Friday);
  Cdatlib::StampStyle = 2;
  EXPECT_NE(Cdatlib::StampText(Friday), before);
  EXPECT_EQ(Cdatlib::StampText(Friday), "2017-12-01 10:22");
}

double Serial(double days, int hour, int minute, int second, double millisecond) {
  return days + (((hour * 60 + minute) * 60 + second) * 1000 + millisecond) / 86400000.0;
}

TEST_F(StampTextsTest, SerialValuesToDateAndTime) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double infinity = std::numeric_limits<double>::infinity();
  struct Case {
    const char* name;
    double value;
    TCalDate date;
    TClockTime time;
  } cases[] = {
      {"zero", 0, {0, 0, 0}, {0, 0, 0}},
      {"day one", 1, {1899, 12, 31}, {0, 0, 0}},
      {"noon of day zero", 0.5, {1899, 12, 30}, {12, 0, 0}},
      {"a Friday", Serial(43070, 10, 22, 5, 0), {2017, 12, 1}, {10, 22, 5}},
      {"499 ms keeps the second", Serial(43070, 10, 22, 5, 499), {2017, 12, 1}, {10, 22, 5}},
      {"500 ms rounds the second up", Serial(43070, 10, 22, 5, 500), {2017, 12, 1}, {10, 22, 6}},
      {"59.5 s keeps 59", Serial(43070, 10, 22, 59, 700), {2017, 12, 1}, {10, 22, 59}},
      {"leap day 2000", 36585, {2000, 2, 29}, {0, 0, 0}},
      {"last day", Serial(2958465, 23, 59, 59, 999), {9999, 12, 31}, {23, 59, 59}},
      {"past the last day", 2958466, {0, 0, 0}, {0, 0, 0}},
      {"huge", 1e300, {0, 0, 0}, {0, 0, 0}},
      {"negative", -1, {0, 0, 0}, {0, 0, 0}},
      {"not a number", nan, {0, 0, 0}, {0, 0, 0}},
      {"infinity", infinity, {0, 0, 0}, {0, 0, 0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Cdatlib::DateFromValue(c.value), c.date) << c.name;
    EXPECT_EQ(Cdatlib::TimeFromValue(c.value), c.time) << c.name;
    const TCalDateTime stamp = Cdatlib::StampFromValue(c.value);
    EXPECT_EQ(stamp.Date, c.date) << c.name;
    EXPECT_EQ(stamp.Time, c.time) << c.name;
  }
}

TEST_F(StampTextsTest, TextsOfSerialZero) {
  EXPECT_EQ(Cdatlib::StampTextOfValue(0), "0000-00-00 00:00:00");
  Cdatlib::StampStyle = 3;
  EXPECT_EQ(Cdatlib::StampTextOfValue(0), "0000-00-00 () 00:00");
  Cdatlib::StampStyle = 2;
  EXPECT_EQ(Cdatlib::StampTextOfValue(Serial(43070, 10, 22, 5, 0)), "2017-12-01 10:22");
}

}  // namespace
