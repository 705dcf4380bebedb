// Clock readings: the half-second step and the local wall clock of an instant.
#include <unistd.h>

#include <string>

#include "support/CdatlibTest.h"
#include "support/TimeZone.h"

using Cdatlib::TClockReading;
using Cdatlib::TClockTime;

namespace {

class ClockTest : public CdatlibTest {};

TEST_F(ClockTest, HalfSecondStepNeverNamesALaterMinute) {
  struct Case {
    const char* name;
    TClockTime time;
    uint16_t millisecond;
    TClockTime expected;
  } cases[] = {
      {"499 ms keeps the second", {10, 22, 5}, 499, {10, 22, 5}},
      {"500 ms adds one", {10, 22, 5}, 500, {10, 22, 6}},
      {"58.5 s gives 59", {10, 22, 58}, 500, {10, 22, 59}},
      {"59.5 s keeps 59", {10, 22, 59}, 500, {10, 22, 59}},
      {"23:59:59.999 stays in its day", {23, 59, 59}, 999, {23, 59, 59}},
  };
  for (const Case& c : cases) {
    const TClockReading reading{{2017, 12, 31}, c.time, c.millisecond};
    const Cdatlib::TCalDateTime stamp = Cdatlib::StampOfReading(reading);
    EXPECT_EQ(stamp.Time, c.expected) << c.name;
    EXPECT_EQ(stamp.Date, (Cdatlib::TCalDate{2017, 12, 31})) << c.name;
  }
}

// Fixed instants read in fixed time zones: the fields of the local wall clock,
// a leap second kept in its minute.
TEST_F(ClockTest, InstantsReadAsTheLocalWallClock) {
  struct Case {
    const char* zone;
    int64_t seconds, nanoseconds;
    TClockReading expected;
  } cases[] = {
      {"UTC0", 0, 0, {{1970, 1, 1}, {0, 0, 0}, 0}},
      {"UTC0", 1512123725, 600'000'000, {{2017, 12, 1}, {10, 22, 5}, 600}},
      {"CET-1CEST,M3.5.0,M10.5.0/3", 1512123725, 999'999'999, {{2017, 12, 1}, {11, 22, 5}, 999}},
      {"CET-1CEST,M3.5.0,M10.5.0/3", 1500000000, 0, {{2017, 7, 14}, {4, 40, 0}, 0}},
      {"EST5EDT,M3.2.0,M11.1.0", 1483232400, 1'000'000, {{2016, 12, 31}, {20, 0, 0}, 1}},
      {"right/UTC", 1483228826, 0, {{2016, 12, 31}, {23, 59, 59}, 0}},  // 23:59:60
  };
  for (const Case& c : cases) {
    if (c.zone == std::string("right/UTC") && access("/usr/share/zoneinfo/right/UTC", R_OK) != 0) continue;
    const TestSupport::TTimeZone zone(c.zone);
    const TClockReading reading = Cdatlib::ReadingOfInstant(c.seconds, c.nanoseconds);
    EXPECT_EQ(reading.Date, c.expected.Date) << c.zone << " " << c.seconds;
    EXPECT_EQ(reading.Time, c.expected.Time) << c.zone << " " << c.seconds;
    EXPECT_EQ(reading.Millisecond, c.expected.Millisecond) << c.zone << " " << c.seconds;
  }
}

}  // namespace
