// A start cut between its log save and its checkpoint: which logs show one.
#include <gtest/gtest.h>

#include "monitor/CutStart.h"
#include "support/TimeZone.h"

namespace {

using namespace Monitor;

const std::string Normal = "2026-12-06 18:41  Normal program shutdown\r\n";
const std::string Restart = "2026-12-07 08:02  Program restart\r\n";
const std::string Cut0715 = "2026-12-07 07:15  Program restart\r\n";
const std::string Booted =
    "2026-12-07 08:02  The computer started again at 2026-12-07 07:00: it was off for at most 12 h 19 min\r\n";

struct TCutStartCase {
  const char* Name;
  int32_t Status;
  std::string Stamp, Log;
  const char* CutStart;  // the stamp judged as running, or "": the pair on disk
};

class CutStart : public testing::TestWithParam<TCutStartCase> {};

TEST_P(CutStart, JudgesTheCutStartOrThePairOnDisk) {
  const TCutStartCase& c = GetParam();
  const TCheckpoint judged = CheckpointToJudge({c.Status, c.Stamp}, c.Log);
  const TCheckpoint expected =
      *c.CutStart != '\0' ? TCheckpoint{csRunning, c.CutStart} : TCheckpoint{c.Status, c.Stamp};
  EXPECT_EQ(std::pair(judged.Status, judged.StampText), std::pair(expected.Status, expected.StampText));
}

const std::string P = "2026-12-06 18:41";
const char* const CutAt0802 = "2026-12-07 08:02";

INSTANTIATE_TEST_SUITE_P(
    Logs, CutStart,
    testing::Values(
        TCutStartCase{"AfterANormalEnd", 0, P, "a note\r\n" + Normal + Restart, CutAt0802},
        TCutStartCase{"WithoutFinalBreak", 0, P, Normal + Restart.substr(0, 33), CutAt0802},
        TCutStartCase{"AfterAnAbnormalEndWithTheBootLine", 1, P,
                      "2026-12-06 18:41  ABNORMAL PROGRAM END\r\n" + Restart + Booted, CutAt0802},
        TCutStartCase{"TwoCutStartsInARow", 0, P,
                      Normal + Cut0715 + "2026-12-07 07:15  ABNORMAL PROGRAM END\r\n" + Restart + Booted, CutAt0802},
        TCutStartCase{"NormalPairInTheStartsMinuteMayBeANormalRun", 0, CutAt0802,
                      "2026-12-07 08:02  Normal program shutdown\r\n" + Restart, ""},
        TCutStartCase{"UserLineAfterTheBlock", 0, P, Normal + Restart + "my note\r\n", ""},
        TCutStartCase{"AnotherPreviousRun", 0, "2026-12-06 18:42", Normal + Restart, ""},
        TCutStartCase{"BootLineAfterANormalEnd", 0, P, Normal + Restart + Booted, ""},
        TCutStartCase{"ClockSetBack", 0, "2026-12-08 18:41", "2026-12-08 18:41  Normal program shutdown\r\n" + Restart,
                      ""},
        TCutStartCase{"UnreadableStamp", 1, "6 dec, late", "6 DEC, LATE  ABNORMAL PROGRAM END\r\n" + Restart, ""},
        TCutStartCase{"BrokenChain", 0, P, Normal + Cut0715 + "2026-12-07 07:16  ABNORMAL PROGRAM END\r\n" + Restart,
                      ""},
        TCutStartCase{"FirstStartCut", 2, "", "2026-12-07 08:02  Program start - first time on this PC\r\n", CutAt0802},
        TCutStartCase{"FirstStartAndTheNextCut", 2, "",
                      "2026-12-07 07:15  Program start - first time on this PC\r\n"
                      "2026-12-07 07:15  ABNORMAL PROGRAM END\r\n" +
                          Restart,
                      CutAt0802},
        TCutStartCase{"FirstRunAfterTheUsersLines", 2, "", "my note\r\n", ""}),
    [](const auto& info) { return std::string(info.param.Name); });

// Berlin's clocks went back from 03:00 to 02:00 on 2026-10-25. The pair on
// disk is of the first 02:50; the start that judged it came at the second
// 02:10, later in time though earlier on the clock, and was cut.
TEST(CutStartInTheRepeatedHour, IsSeenByItsLaterMeaning) {
  const TestSupport::TTimeZone berlin("Europe/Berlin");
  const std::string log = "2026-10-25 02:50  ABNORMAL PROGRAM END\r\n2026-10-25 02:10  Program restart\r\n";
  const struct {
    const char* name;
    const char* offset;  // of the pair on disk
    const char* judged;  // the stamp judged as running
  } cases[] = {
      {"pair of the first pass", "+02:00", "2026-10-25 02:10"},
      {"pair of the second pass, after the start", "+01:00", "2026-10-25 02:50"},
      {"pair without offset, read as the first pass", "", "2026-10-25 02:10"},
  };
  for (const auto& c : cases) {
    const TCheckpoint judged = CheckpointToJudge({csRunning, "2026-10-25 02:50", false, c.offset}, log);
    EXPECT_EQ(judged.StampText, c.judged) << c.name;
    EXPECT_EQ(judged.Status, csRunning) << c.name;
  }
}

}  // namespace
