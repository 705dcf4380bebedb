// Clock readings: the half-second step and readings of the real clock.
#include <ctime>

#include "support/CdatlibTest.h"

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

// The library's reading against the C library's, taken around it.
TEST_F(ClockTest, ReadingsMatchTheLocalClock) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    const time_t before = time(nullptr);
    const Cdatlib::TClockReading reading = Cdatlib::ReadLocalClock();
    const time_t after = time(nullptr);
    if (before != after) continue;  // a second boundary passed; read again
    tm local{};
    localtime_r(&before, &local);
    EXPECT_EQ(reading.Date, (Cdatlib::TCalDate{uint16_t(local.tm_year + 1900), uint16_t(local.tm_mon + 1),
                                               uint16_t(local.tm_mday)}));
    EXPECT_EQ(reading.Time, (TClockTime{uint16_t(local.tm_hour), uint16_t(local.tm_min), uint16_t(local.tm_sec)}));
    EXPECT_LT(reading.Millisecond, 1000);
    return;
  }
  GTEST_SKIP() << "the clock kept crossing second boundaries";
}

TEST_F(ClockTest, NowStampTodayAndTimeNowAgreeWithEachOther) {
  const Cdatlib::TCalDateTime stamp = Cdatlib::NowStamp();
  const Cdatlib::TCalDate today = Cdatlib::Today();
  const TClockTime now = Cdatlib::TimeNow();
  // Unless midnight passed between the calls, they name the same day.
  if (now.Hour != 0 || stamp.Time.Hour == 0) {
    EXPECT_EQ(stamp.Date, today);
  }
  EXPECT_LE(stamp.Time.Hour, 23);
  EXPECT_LE(stamp.Time.Minute, 59);
  EXPECT_LE(stamp.Time.Second, 59);
}

}  // namespace
