// The outages read from trip log texts, their summary and months, the
// duration texts, and the line the boot time adds to an abnormal verdict.
#include <gtest/gtest.h>

#include "monitor/BootLine.h"
#include "monitor/Outages.h"
#include "monitor/StampMinutes.h"
#include "monitor/ZoneTime.h"
#include "support/TimeZone.h"

namespace {

using namespace Monitor;

std::string RowsText(const TOutageRecord& record) {
  std::string text;
  for (const TOutage& outage : record.Outages) {
    const TOutageTexts cells = TextsOf(outage);
    text += cells.LostAfter + "|" + cells.BackAt + "|" + cells.OffFor +
            (cells.WentDown.empty() ? "" : "|" + cells.WentDown) + "\n";
  }
  return text;
}

struct TLogCase {
  const char* Name;
  const char* Log;
  const char* Rows;
  const char* Summary;
};

class OutagesOfLog : public testing::TestWithParam<TLogCase> {};

TEST_P(OutagesOfLog, PairsEndsWithRestartsAndSumsThemUp) {
  const TestSupport::TTimeZone berlin("Europe/Berlin");  // clocks go forward and back
  const TOutageRecord record = ReadOutages(GetParam().Log);
  EXPECT_EQ(RowsText(record), GetParam().Rows);
  EXPECT_EQ(OutageSummary(record), GetParam().Summary);
}

INSTANTIATE_TEST_SUITE_P(
    Logs, OutagesOfLog,
    testing::Values(
        TLogCase{"Empty", "", "", "No outages"},
        TLogCase{"NoOutage",
                 "2026-12-01 08:00  Program start - first time on this PC\r\n"
                 "2026-12-05 17:30  Normal program shutdown\r\n2026-12-06 07:58  Program restart\r\n",
                 "", "No outages since 2026-12-01"},
        TLogCase{"AbnormalWithoutRestart",
                 "2026-12-05 17:30  Program restart\r\n2026-12-06 18:41  ABNORMAL PROGRAM END\r\n",
                 "2026-12-06 18:41||\n", "1 outage since 2026-12-05; none with a known length"},
        TLogCase{"TwoOutages",
                 "2026-12-06 18:41  ABNORMAL PROGRAM END\r\n2026-12-07 08:02  Program restart\r\n"
                 "2027-01-10 09:00  ABNORMAL PROGRAM END\r\n2027-01-12 10:30  Program restart\r\n",
                 "2026-12-06 18:41|2026-12-07 08:02|13 h 21 min\n2027-01-10 09:00|2027-01-12 10:30|2 d 1 h\n",
                 "2 outages since 2026-12-06; the longest 2 d 1 h on 2027-01-10; 2 d 14 h off in all"},
        TLogCase{"EditedByHand",
                 "storm all night\r\n"
                 "2026-13-06 18:41  ABNORMAL PROGRAM END\r\n"         // no such month: skipped
                 "2026-12-06 18:41 ABNORMAL PROGRAM END (storm)\r\n"  // one blank, a note
                 "2026-12-07 06:00  ABNORMAL PROGRAM END\r\n"         // the restart before it deleted
                 "  2026-12-07 08:02  Program restart\r\n"            // indented: no stamp
                 "2026-12-07 08:05\tProgram restart, checked\r\n"
                 "2026-12-08 09:00  Program restart\r\n",  // no outage before it
                 "2026-12-06 18:41||\n2026-12-07 06:00|2026-12-07 08:05|2 h 5 min\n",
                 "2 outages since 2026-12-06; the longest 2 h 5 min on 2026-12-07; 2 h 5 min off in all"},
        TLogCase{"CrOnlyAndLfOnlyBreaks",
                 "2026-12-06 18:41  ABNORMAL PROGRAM END\r2026-12-06 19:40  Program restart\r"
                 "2026-12-07 18:41  ABNORMAL PROGRAM END\n\n2026-12-07 18:50  Program restart",
                 "2026-12-06 18:41|2026-12-06 19:40|59 min\n2026-12-07 18:41|2026-12-07 18:50|9 min\n",
                 "2 outages since 2026-12-06; the longest 59 min on 2026-12-06; 1 h 8 min off in all"},
        TLogCase{"ClockWrongAfterTheOutage",
                 "2026-12-06 18:41  ABNORMAL PROGRAM END\r\n"
                 "2000-01-01 00:01  Program restart\r\n"
                 "2000-01-01 00:01  The clock was set back\r\n"
                 "2026-12-07 18:41  ABNORMAL PROGRAM END\r\n"
                 "2026-12-07 18:51  The computer started again at 2026-12-07 18:40\r\n",
                 "2026-12-06 18:41|2000-01-01 00:01|clock was wrong\n"
                 "2026-12-07 18:41|2026-12-07 18:40|clock was wrong|computer\n",
                 "2 outages since 2026-12-06; none with a known length"},
        TLogCase{"TimeOffAsTheComputerLineSaysIt",  // killed under UTC, started in Tokyo: not 9 h 10 min
                 "2026-12-10 11:10  ABNORMAL PROGRAM END\r\n2026-12-10 20:30  Program restart\r\n"
                 "2026-12-10 20:30  The computer started again at 2026-12-10 20:20: it was off for at most 10 min\r\n",
                 "2026-12-10 11:10|2026-12-10 20:20|10 min|computer\n",
                 "1 outage since 2026-12-10; the longest 10 min on 2026-12-10; 10 min off in all"},
        TLogCase{"DiedAsleep",  // an outage of the computer, back at its start
                 "2026-12-09 23:10  ABNORMAL PROGRAM END\r\n2026-12-10 08:01  Program restart\r\n"
                 "2026-12-10 08:01  The computer started again at 2026-12-10 07:58 without waking from sleep: it was "
                 "off for at most 8 h 48 min\r\n",
                 "2026-12-09 23:10|2026-12-10 07:58|8 h 48 min|asleep\n",
                 "1 outage since 2026-12-09; the longest 8 h 48 min on 2026-12-09; 8 h 48 min off in all"},
        TLogCase{"ComputerOrProgramAloneAndANormalEndBetween",  // the stop, 4 d, is the longest of the three
                 "2026-12-06 18:41  ABNORMAL PROGRAM END\r\n2026-12-09 05:59  Program restart\r\n"
                 "2026-12-09 05:59  The computer started again at 2026-12-09 05:32: it was off for at most 2 d 10 h\r\n"
                 "2026-12-10 08:00  ABNORMAL PROGRAM END\r\n"
                 "2026-12-14 08:00  Program restart\r\n"
                 "2026-12-14 08:00  The computer kept running\r\n"
                 "2026-12-15 08:00  ABNORMAL PROGRAM END\r\n2026-12-15 09:00  Program restart\r\n"
                 "2026-12-16 08:00  ABNORMAL PROGRAM END\r\n"
                 "2026-12-17 08:00  Normal program shutdown\r\n"
                 "2026-12-18 08:00  Program restart\r\n"
                 "2026-12-18 08:00  The computer kept running\r\n",
                 "2026-12-06 18:41|2026-12-09 05:32|2 d 10 h|computer\n"
                 "2026-12-10 08:00|2026-12-14 08:00|4 d 0 h|program only\n"
                 "2026-12-15 08:00|2026-12-15 09:00|1 h 0 min\n2026-12-16 08:00||\n",
                 "3 outages since 2026-12-06; 1 stop of this program alone; the longest 2 d 10 h on 2026-12-06; "
                 "2 d 11 h off in all"},
        TLogCase{
            "RealHoursAcrossClockChangesAndAYearEnd",  // the second in the skipped hour, the fourth in the repeated one
            "2026-03-29 01:30  ABNORMAL PROGRAM END\r\n"
            "2026-03-29 03:30  Program restart\r\n"
            "2026-03-29 01:50  ABNORMAL PROGRAM END\r\n"
            "2026-03-29 02:30  Program restart\r\n"
            "2026-10-25 01:30  ABNORMAL PROGRAM END\r\n"
            "2026-10-25 03:30  Program restart\r\n"
            "2026-10-25 02:30  ABNORMAL PROGRAM END\r\n"
            "2026-10-25 03:00  Program restart\r\n"
            "2026-12-31 23:50  ABNORMAL PROGRAM END\r\n"
            "2027-01-01 00:10  Program restart\r\n",
            "2026-03-29 01:30|2026-03-29 03:30|1 h 0 min\n2026-03-29 01:50|2026-03-29 02:30|40 min\n"
            "2026-10-25 01:30|2026-10-25 03:30|3 h 0 min\n2026-10-25 02:30|2026-10-25 03:00|1 h 30 min\n"
            "2026-12-31 23:50|2027-01-01 00:10|20 min\n",
            "5 outages since 2026-03-29; the longest 3 h 0 min on 2026-10-25; 6 h 30 min off in all"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(OutagesOfLog, AMegabyteLogOfTwentyThousandLines) {
  std::string log;
  for (int i = 0; i < 10000; ++i) {
    const std::string day = "20" + std::to_string(10 + i / 336) + "-" + (i / 28 % 12 < 9 ? "0" : "") +
                            std::to_string(i / 28 % 12 + 1) + "-" + (i % 28 < 9 ? "0" : "") +
                            std::to_string(i % 28 + 1);
    log += day + " 18:41  ABNORMAL PROGRAM END                             \r\n";
    log += day + " 19:41  Program restart                                  \r\n";
  }
  ASSERT_GT(log.size(), 1000000u);
  const TOutageRecord record = ReadOutages(log);
  ASSERT_EQ(record.Outages.size(), 10000u);
  EXPECT_EQ(OutageSummary(record),
            "10000 outages since 2010-01-01; the longest 1 h 0 min on 2010-01-01; 416 d 16 h off in all");
}

TEST(OutagesPerMonth, CountsTheTwelveMonthsUpToNow) {
  const TOutageRecord record = ReadOutages(
      "2026-01-31 10:00  ABNORMAL PROGRAM END\r\n2026-02-01 10:00  ABNORMAL PROGRAM END\r\n"
      "2026-12-06 18:41  ABNORMAL PROGRAM END\r\n2027-01-10 09:00  ABNORMAL PROGRAM END\r\n"
      "2027-01-11 09:00  ABNORMAL PROGRAM END\r\n2027-02-01 00:00  ABNORMAL PROGRAM END\r\n"
      "2026-11-02 10:00  ABNORMAL PROGRAM END\r\n2026-11-02 10:00  The computer kept running\r\n");  // no outage
  std::string counts;
  for (const TMonthCount& month : OutagesPerMonth(record, {{2027, 1, 15}, {12, 0, 0}})) {
    counts +=
        std::to_string(month.Year) + "-" + std::to_string(month.Month) + ":" + std::to_string(month.Outages) + " ";
  }
  EXPECT_EQ(counts,
            "2026-2:1 2026-3:0 2026-4:0 2026-5:0 2026-6:0 2026-7:0 2026-8:0 2026-9:0 2026-10:0 "
            "2026-11:0 2026-12:1 2027-1:2 ");
}

TEST(StampMinutes, ReadsOnlyTheStampFormAndWritesItBack) {
  struct Case {
    const char* text;
    bool reads;
  } cases[] = {{"2026-12-07 08:02", true},  {"2024-02-29 23:59", true},  {"1970-01-01 00:00", true},
               {"1969-12-31 23:59", true},  {"2026-02-29 10:00", false}, {"2026-12-07 24:00", false},
               {"2026-12-07 08:60", false}, {"2026-12-7 08:02", false},  {"2026-12-07 08:02 ", false},
               {"2026/12/07 08:02", false}, {"0000-01-01 00:00", false}, {"", false}};
  for (const Case& c : cases) {
    const std::optional<int64_t> minutes = MinutesOfStamp(c.text);
    EXPECT_EQ(minutes.has_value(), c.reads) << c.text;
    if (minutes) {
      EXPECT_EQ(StampOfMinutes(*minutes), c.text);
    }
  }
}

TEST(DurationText, MinutesHoursAndDays) {
  const std::pair<int64_t, const char*> cases[] = {{0, "0 min"},         {59, "59 min"},        {60, "1 h 0 min"},
                                                   {795, "13 h 15 min"}, {1439, "23 h 59 min"}, {1440, "1 d 0 h"},
                                                   {3000, "2 d 2 h"},    {14460, "10 d 1 h"}};
  for (const auto& [minutes, text] : cases) EXPECT_EQ(DurationText(minutes), text) << minutes;
}

TEST(DurationText, ReadsBackOnlyItsOwnForms) {
  const std::pair<const char*, std::optional<int64_t>> cases[] = {
      {"0 min", 0},       {"45 min", 45},   {"1 h 0 min", 60},  {"13 h 15 min", 795},
      {"2 d 10 h", 3480}, {"60 min", {}},   {"0 h 5 min", {}},  {"24 h 0 min", {}},
      {"1 h 60 min", {}}, {"1 d 24 h", {}}, {"0 d 5 h", {}},    {"5 mins", {}},
      {"45  min", {}},    {"-5 min", {}},   {"2 d 10 h 5", {}}, {"", {}}};
  for (const auto& [text, minutes] : cases) EXPECT_EQ(MinutesOfDurationText(text), minutes) << text;
}

TEST(OffsetText, SignHoursAndMinutes) {
  const std::pair<int64_t, const char*> texts[] = {{3600, "+01:00"},  {-18000, "-05:00"}, {0, "+00:00"},
                                                   {20700, "+05:45"}, {-12600, "-03:30"}, {50400, "+14:00"}};
  for (const auto& [seconds, text] : texts) {
    EXPECT_EQ(OffsetText(seconds), text) << seconds;
    EXPECT_EQ(OffsetOfText(text), seconds) << text;
  }
  for (const char* text : {"+1:00", "01:00", "+01:60", "+19:00", "+01:00 ", "+0100", ""}) {
    EXPECT_EQ(OffsetOfText(text), std::nullopt) << text;
  }
}

// Stamps with their offsets, boot and start as instants: what the line says
// where the zone changed between the runs or the hour came twice.
TEST(BootTimeLine, ComparesInstantsNotTexts) {
  const auto utc = [](const char* text) { return *MinutesOfStamp(text) * 60; };
  const struct {
    const char* name;
    const char* zone;  // of this start
    const char *stamp, *offset;
    const char *boot, *start;  // UTC
    const char* line;
  } cases[] = {
      {"zone moved east", "Asia/Tokyo", "2026-12-10 11:10", "+00:00", "2026-12-10 10:44", "2026-12-10 11:15",
       "The computer kept running: only this program was stopped"},
      {"zone moved west", "America/New_York", "2026-12-10 11:10", "+00:00", "2026-12-10 10:44", "2026-12-10 11:15",
       "The computer kept running: only this program was stopped"},
      {"outage across a change of zone", "Asia/Tokyo", "2026-12-10 11:10", "+00:00", "2026-12-10 11:20",
       "2026-12-10 11:30", "The computer started again at 2026-12-10 20:20: it was off for at most 10 min"},
      {"first pass read in the second", "Europe/Berlin", "2026-10-25 02:40", "+02:00", "2026-10-20 08:00",
       "2026-10-25 01:10", "The computer kept running: only this program was stopped"},
      {"killed in the second pass", "Europe/Berlin", "2026-10-25 02:20", "+01:00", "2026-10-25 00:50",
       "2026-10-25 01:30", "The computer kept running: only this program was stopped"},
      {"outage in the second pass", "Europe/Berlin", "2026-10-25 02:50", "+01:00", "2026-10-25 01:55",
       "2026-10-25 02:00", "The computer started again at 2026-10-25 02:55: it was off for at most 5 min"},
      {"older file, no offset", "Europe/Berlin", "2026-10-25 02:50", "", "2026-10-25 01:55", "2026-10-25 02:00",
       "The computer started again at 2026-10-25 02:55: it was off for at most 1 h 5 min"},
      {"clock set back", "Europe/Berlin", "2026-12-10 12:10", "+01:00", "2026-12-01 00:00", "2026-12-10 11:00",
       "The clock was set back since the last checkpoint: how long the computer was off is unknown"},
  };
  for (const auto& c : cases) {
    const TestSupport::TTimeZone zone(c.zone);
    EXPECT_EQ(BootTimeLine(ReadBootTime(MomentOfStamp(c.stamp, c.offset), utc(c.start), utc(c.boot))), c.line)
        << c.name;
  }
}

TEST(BootTimeLine, ComparesTheBootWithTheLastCheckpoint) {
  const TestSupport::TTimeZone berlin("Europe/Berlin");
  const auto utc = [](const char* text) { return *MinutesOfStamp(text) * 60; };  // the instant itself
  const int64_t stamp = utc("2026-12-06 17:41");                                 // 18:41 in Berlin
  struct Case {
    const char* name;
    const char* stampText;
    std::optional<int64_t> boot;
    const char* line;
  } cases[] = {
      {"after", "2026-12-06 18:41", stamp + int64_t{795} * 60 + 59,
       "The computer started again at 2026-12-07 07:56: it was off for at most 13 h 15 min"},
      {"days after", "2026-12-06 18:41", stamp + int64_t{3} * 1440 * 60,
       "The computer started again at 2026-12-09 18:41: it was off for at most 3 d 0 h"},
      {"just two minutes after", "2026-12-06 18:41", stamp + 120,
       "The computer started again at 2026-12-06 18:43: it was off for at most 2 min"},
      {"clock put forward", "2026-03-29 01:30", utc("2026-03-29 01:30"),
       "The computer started again at 2026-03-29 03:30: it was off for at most 1 h 0 min"},
      {"clock put back", "2026-10-25 01:30", utc("2026-10-25 02:30"),
       "The computer started again at 2026-10-25 03:30: it was off for at most 3 h 0 min"},
      {"checkpoint after the start", "2026-12-07 08:03", stamp + 3600,
       "The clock was set back since the last checkpoint: how long the computer was off is unknown"},
      {"before", "2026-12-06 18:41", stamp - 3600, "The computer kept running: only this program was stopped"},
      {"just two minutes before", "2026-12-06 18:41", stamp - 120,
       "The computer kept running: only this program was stopped"},
      {"within two minutes after", "2026-12-06 18:41", stamp + 119, ""},
      {"within two minutes before", "2026-12-06 18:41", stamp - 119, ""},
      {"unreadable stamp", "6 dec, late", stamp + 3600, ""},
      {"no stamp", "", stamp + 3600, ""},
      {"boot time unknown", "2026-12-06 18:41", std::nullopt, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(BootTimeLine(c.stampText, "2026-12-07 08:02", c.boot), c.line) << c.name;
}

}  // namespace
