// A start cut between its log save and its checkpoint: which logs show one.
#include <gtest/gtest.h>

#include "monitor/CutStart.h"

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

}  // namespace
