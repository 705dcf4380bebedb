// The judge of the power-cut test must see every kind of damage a faulty
// start could leave, and accept every state a sound start passes through.
#include "CutJudge.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace PowerCut;

const std::string NormalEnd = "[main]\r\nTripStatus=0\r\nTripTS=2026-12-06 18:41\r\n";
const std::string OldLog = "a line from before\r\n";
const std::string NewEntry = "2026-12-06 18:41  Normal program shutdown\r\n2026-12-07 08:02  Program restart\r\n";

// A file's identity here is its inode number alone; the change times stay 0.
TFolderState Folder(std::string checkpoint, ino_t checkpointInode, std::string log, ino_t logInode,
                    std::vector<std::string> others = {}) {
  TFolderState state;
  state.Checkpoint = {true, std::move(checkpoint), {checkpointInode}};
  state.Log = {true, std::move(log), {logInode}};
  state.OtherNames = std::move(others);
  return state;
}

const TFolderState Before = Folder(NormalEnd, 10, OldLog, 20);

struct TCutCase {
  const char* Name;
  TFolderState After;
  const char* Damage;  // a part of a damage expected, or "" for none
  TFolderState From = Before;
};

// The state without the files named; a first start finds neither.
TFolderState Without(TFolderState state, bool checkpoint, bool log) {
  if (checkpoint) state.Checkpoint = {};
  if (log) state.Log = {};
  return state;
}

const TFolderState Nothing = Without(Folder("", 0, "", 0), true, true);
const std::string FirstEntry = "2026-12-07 08:02  Program start - first time on this PC\r\n";
const TFolderState AfterACutStart = Folder(NormalEnd, 10, OldLog + NewEntry, 20);
const std::string Rejudged = "2026-12-07 08:02  ABNORMAL PROGRAM END\r\n2026-12-07 08:03  Program restart\r\n";

class Judge : public testing::TestWithParam<TCutCase> {};

TEST_P(Judge, SeesDamageOrAcceptsTheState) {
  TTempAges temps;
  const TCutJudgement judgement = JudgeCut(GetParam().From, GetParam().After, temps);
  const std::string expected = GetParam().Damage;
  if (expected.empty()) {
    EXPECT_TRUE(judgement.Damage.empty()) << testing::PrintToString(judgement.Damage);
  } else {
    const bool seen = std::any_of(judgement.Damage.begin(), judgement.Damage.end(),
                                  [&](const std::string& d) { return d.find(expected) != std::string::npos; });
    EXPECT_TRUE(seen) << testing::PrintToString(judgement.Damage);
  }
}

// The case's name instead of its bytes when a case fails.
void PrintTo(const TCutCase& c, std::ostream* os) { *os << c.Name; }

INSTANTIATE_TEST_SUITE_P(
    Cuts, Judge,
    testing::Values(
        TCutCase{"CutBeforeAnyWrite", Folder(NormalEnd, 10, OldLog, 20), ""},
        TCutCase{"CutAfterTheLogSave", Folder(NormalEnd, 10, OldLog + NewEntry, 21), ""},
        TCutCase{"NewStatusWithTheOldStamp",
                 Folder("[main]\r\nTripStatus=1\r\nTripTS=2026-12-06 18:41\r\n", 11, OldLog + NewEntry, 21),
                 "neither the old pair nor a new one"},
        TCutCase{"OldStatusWithANewStamp",
                 Folder("[main]\r\nTripStatus=0\r\nTripTS=2026-12-07 08:02\r\n", 11, OldLog + NewEntry, 21),
                 "neither the old pair nor a new one"},
        TCutCase{"NewPairPaddedInPlace",
                 Folder("[main]\r\nTripStatus=1\r\nTripTS=2026-12-07 08:02\r\n\r\n", 12, OldLog + NewEntry, 21), ""},
        TCutCase{"CutAfterTheStart",
                 Folder("[main]\r\nTripStatus=1\r\nTripTS=2026-12-07 08:02\r\n", 12, OldLog + NewEntry, 21), ""},
        TCutCase{"CutWithATemporaryLeft", Folder(NormalEnd, 10, OldLog, 20, {".triplog.txt.tmp-Ab12Cd"}), ""},
        TCutCase{"CheckpointGone",
                 [] {
                   TFolderState s = Folder("", 0, OldLog, 20);
                   s.Checkpoint.Present = false;
                   return s;
                 }(),
                 "never run"},
        TCutCase{"CheckpointEmpty", Folder("", 11, OldLog + NewEntry, 21), "never run"},
        TCutCase{"CheckpointTornInTheStamp",
                 Folder("[main]\r\nTripStatus=1\r\nTripTS=2026-12-0", 11, OldLog + NewEntry, 21),
                 "stamp is [2026-12-0]"},
        TCutCase{"CheckpointWithoutStamp", Folder("[main]\r\nTripStatus=1\r\n", 11, OldLog + NewEntry, 21), "stamp"},
        TCutCase{"CheckpointSaysNeverRun",
                 Folder("[main]\r\nTripStatus=2\r\nTripTS=2026-12-06 18:41\r\n", 11, OldLog + NewEntry, 21),
                 "status is 2"},
        TCutCase{"StartWroteANormalEnd",
                 Folder("[main]\r\nTripStatus=0\r\nTripTS=2026-12-07 08:02\r\n", 11, OldLog + NewEntry, 21),
                 "normal-shutdown status"},
        TCutCase{"CheckpointBeforeTheLog",
                 Folder("[main]\r\nTripStatus=1\r\nTripTS=2026-12-07 08:02\r\n", 11, OldLog, 20),
                 "before the trip log"},
        TCutCase{"LogEmptied", Folder(NormalEnd, 10, "", 21), "lost what it held"},
        TCutCase{"LogGone",
                 [] {
                   TFolderState s = Folder(NormalEnd, 10, "", 0);
                   s.Log.Present = false;
                   return s;
                 }(),
                 "trip log is gone"},
        TCutCase{"LogTornInTheNewLine", Folder(NormalEnd, 10, OldLog + NewEntry.substr(0, 50), 21), "torn or wrong"},
        TCutCase{"LogWithoutThePreviousRun",
                 Folder(NormalEnd, 10, OldLog + "2026-12-07 08:02  Program restart\r\n", 21), "torn or wrong"},
        TCutCase{"LogCallsANormalEndAbnormal",
                 Folder(NormalEnd, 10,
                        OldLog + "2026-12-06 18:41  ABNORMAL PROGRAM END\r\n2026-12-07 08:02  Program restart\r\n", 21),
                 "torn or wrong"},
        TCutCase{"StrayFile", Folder(NormalEnd, 10, OldLog, 20, {"CHKPT.INI.bak"}), "stray entry"},
        TCutCase{"FirstStartCutAfterTheLogSave", Without(Folder("", 0, FirstEntry, 21), true, false), "", Nothing},
        TCutCase{"FirstStartDone", Folder("[main]\r\nTripStatus=1\r\nTripTS=2026-12-07 08:02\r\n", 11, FirstEntry, 21),
                 "", Nothing},
        TCutCase{"FirstStartStatusWithoutStamp", Folder("[main]\r\nTripStatus=1\r\n", 11, FirstEntry, 21), "stamp",
                 Nothing},
        TCutCase{"FirstStartBesideAnOldLogSaysRestart", Without(Folder("", 0, OldLog + NewEntry, 21), true, false),
                 "torn or wrong", Without(Before, true, false)},
        TCutCase{"AfterACutStart", Folder(NormalEnd, 10, AfterACutStart.Log.Bytes + Rejudged, 21), "", AfterACutStart},
        TCutCase{"AfterACutStartTheVerdictRepeated", Folder(NormalEnd, 10, AfterACutStart.Log.Bytes + NewEntry, 21),
                 "repeats the verdict", AfterACutStart}),
    [](const testing::TestParamInfo<TCutCase>& info) { return std::string(info.param.Name); });

TEST(JudgeAfterAnAbnormalEnd, ExpectsTheUpperCaseLine) {
  const TFolderState before = Folder("[main]\r\nTripStatus=1\r\nTripTS=2026-12-06 18:41\r\n", 10, OldLog, 20);
  const std::string entry = "2026-12-06 18:41  ABNORMAL PROGRAM END\r\n2026-12-07 08:02  Program restart\r\n";
  TTempAges temps;
  EXPECT_TRUE(JudgeCut(before, Folder(before.Checkpoint.Bytes, 10, OldLog + entry, 21), temps).Damage.empty());
  EXPECT_FALSE(JudgeCut(before, Folder(before.Checkpoint.Bytes, 10, OldLog + NewEntry, 21), temps).Damage.empty());
}

TEST(JudgeOfTemporaries, ATemporaryMayOutliveOneReplacementButNotTwo) {
  const std::string temp = ".triplog.txt.tmp-Ab12Cd";
  TTempAges temps;
  TFolderState state = Folder(NormalEnd, 10, OldLog, 20, {temp});
  EXPECT_TRUE(JudgeCut(Before, state, temps).Damage.empty()) << "left by a cut";

  TFolderState saved = Folder(NormalEnd, 10, OldLog + NewEntry, 21, {temp});
  EXPECT_TRUE(JudgeCut(state, saved, temps).Damage.empty()) << "cut between the rename and the clean-up";

  TFolderState unsaved = saved;
  EXPECT_TRUE(JudgeCut(saved, unsaved, temps).Damage.empty()) << "a start cut before its save";

  TFolderState savedAgain = Folder(NormalEnd, 10, saved.Log.Bytes + Rejudged, 22, {temp});
  const auto damage = JudgeCut(unsaved, savedAgain, temps).Damage;
  ASSERT_EQ(damage.size(), 1u);
  EXPECT_NE(damage[0].find("outlived two"), std::string::npos);
}

}  // namespace
