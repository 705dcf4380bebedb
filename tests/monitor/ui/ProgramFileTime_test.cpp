// The program file's modification time as About shows it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "calendar/Cdatlib.h"
#include "monitor/ui/ProgramFileTime.h"
#include "support/TempFolder.h"
#include "support/TimeZone.h"

namespace {

TEST(AboutText, AMissingProgramFileCannotBeDated) {
  EXPECT_THROW(
      {
        try {
          Monitor::FileModifiedValue("/nonexistent/tallyvane");
        } catch (const Monitor::EDateEncodeError& error) {
          EXPECT_STREQ(error.what(), "Invalid argument to date encode");
          throw;
        }
      },
      Monitor::EDateEncodeError);
}

TEST(AboutText, ModificationTimeIsLocalWallClockTime) {
  struct Case {
    const char* zone;
    timespec modified;
    const char* expected;
  } cases[] = {
      {"CET-1CEST,M3.5.0,M10.5.0/3", {1512123725, 400'000'000}, "2017-12-01 11:22:05"},
      {"CET-1CEST,M3.5.0,M10.5.0/3", {1500000000, 600'000'000}, "2017-07-14 04:40:01"},
      {"EST5EDT,M3.2.0,M11.1.0", {1483232400, 0}, "2016-12-31 20:00:00"},
  };
  TestSupport::TTempFolder folder;
  const std::string path = folder / "file";
  TestSupport::WriteBytes(path, "");
  for (const Case& c : cases) {
    const TestSupport::TTimeZone zone(c.zone);
    const timespec times[2] = {c.modified, c.modified};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    const Cdatlib::TCalDateTime stamp = Cdatlib::StampFromValue(Monitor::FileModifiedValue(path));
    EXPECT_EQ(Cdatlib::IsoDateText(stamp.Date) + " " + Cdatlib::TimeText(stamp.Time), c.expected) << c.zone;
  }
}

}  // namespace
