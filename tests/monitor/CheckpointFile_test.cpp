// The checkpoint file: how a TripStatus text reads, the exact file a first
// and a second write leave, what survives writes, and failed writes.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <climits>
#include <filesystem>
#include <memory>

#include "MonitorTestbed.h"
#include "monitor/CheckpointFile.h"
#include "monitor/MonitorClock.h"
#include "monitor/MonitorErrors.h"
#include "platform/FileFailure.h"
#include "platform/SafeFile.h"
#include "support/ChildProcess.h"

namespace {

using namespace Monitor;
using namespace MonitorTest;
using namespace TestSupport;

struct TStatusCase {
  const char* Name;
  const char* Text;
  int32_t Status;
};

class TripStatusText : public MonitorTestbed, public testing::WithParamInterface<TStatusCase> {};

TEST_P(TripStatusText, ReadsAsItsStatus) {
  WriteBytes(checkpointPath_, std::string("[main]\r\nTripStatus=") + GetParam().Text + "\r\n");
  EXPECT_EQ(ReadCheckpoint().Status, GetParam().Status);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TripStatusText,
    testing::Values(TStatusCase{"One", "1", 1}, TStatusCase{"PlusOne", "+1", 1}, TStatusCase{"Dollar", "$1", 1},
                    TStatusCase{"ZeroX", "0x1", 1}, TStatusCase{"ZeroCapitalX", "0X1", 1}, TStatusCase{"X", "x1", 1},
                    TStatusCase{"Blanks", "  1  ", 1}, TStatusCase{"Quoted", "\"1\"", 1},
                    TStatusCase{"LeadingZeros", "001", 1}, TStatusCase{"MinusOne", "-1", -1},
                    TStatusCase{"AllBitsHex", "0xFFFFFFFF", -1}, TStatusCase{"HexLeadingZeros", "$000000001", 1},
                    TStatusCase{"Smallest", "-2147483648", INT32_MIN}, TStatusCase{"Seven", "7", 7},
                    TStatusCase{"Zero", "0", 0}, TStatusCase{"TrailingLetter", "1a", 2}, TStatusCase{"Word", "one", 2},
                    TStatusCase{"Empty", "", 2}, TStatusCase{"TooLarge", "2147483648", 2},
                    TStatusCase{"ZeroXAlone", "0x", 2}, TStatusCase{"BlankInside", "1 2", 2},
                    TStatusCase{"HexTooLong", "0x100000000", 2}),
    [](const auto& info) { return std::string(info.param.Name); });

using CheckpointFile = MonitorTestbed;

// Only a file that is not there, or holds no checkpoint, is a first run; one
// that is there but cannot be read fails the start instead of faking one.
TEST_F(CheckpointFile, NothingToReadIsANeverRunButAnUnreadableFileFails) {
  struct TCase {
    const char* Name;
    void (*Make)(const std::string& path);
    const char* Outcome;
  };
  const TCase cases[] = {
      TCase{"no file", [](const std::string&) {}, "2 []"},
      TCase{"empty file", [](const std::string& p) { WriteBytes(p, ""); }, "2 []"},
      TCase{"other section", [](const std::string& p) { WriteBytes(p, "[other]\r\nTripStatus=1\r\nTripTS=x\r\n"); },
            "2 []"},
      TCase{"a folder", [](const std::string& p) { std::filesystem::create_directory(p); }, "fails"},
      TCase{"a pipe", [](const std::string& p) { ::mkfifo(p.c_str(), 0644); }, "fails"},
      TCase{"an endless device", [](const std::string& p) { std::filesystem::create_symlink("/dev/zero", p); },
            "fails"}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    std::filesystem::remove(checkpointPath_);
    c.Make(checkpointPath_);
    std::string outcome;
    try {
      const TCheckpoint read = ReadCheckpoint();
      outcome = std::to_string(read.Status) + " [" + read.StampText + "]";
    } catch (const EIniReadError& error) {
      EXPECT_EQ(std::string(error.what()), "Unable to read " + checkpointPath_);
      outcome = "fails";
    }
    EXPECT_EQ(outcome, c.Outcome);
    EXPECT_EQ(std::filesystem::exists(checkpointPath_), std::string(c.Name) != "no file");
  }
}

TEST_F(CheckpointFile, AStatusWithoutStampReadsWithEmptyStamp) {
  WriteBytes(checkpointPath_, "[MAIN]\nTRIPSTATUS=0\n");
  const TCheckpoint read = ReadCheckpoint();
  EXPECT_EQ(read.Status, 0);
  EXPECT_EQ(read.StampText, "");
}

TEST_F(CheckpointFile, AFirstWriteMakesThreeLinesAndASecondUpdatesThemInPlace) {
  EXPECT_EQ(WriteCheckpoint(csRunning), "2026-12-07 08:02");
  EXPECT_EQ(ReadBytes(checkpointPath_), "[main]\r\nTripStatus=1\r\nTripTS=2026-12-07 08:02\r\nTripOffset=+01:00\r\n");
  ClockReads({At(2026, 12, 7, 17, 30)});
  EXPECT_EQ(WriteCheckpoint(csNormalShutdown), "2026-12-07 17:30");
  EXPECT_EQ(ReadBytes(checkpointPath_), "[main]\r\nTripStatus=0\r\nTripTS=2026-12-07 17:30\r\nTripOffset=+01:00\r\n");
  const TCheckpoint read = ReadCheckpoint();
  EXPECT_EQ(read.Status, 0);
  EXPECT_EQ(read.StampText, "2026-12-07 17:30");
}

TEST_F(CheckpointFile, EverythingElseInTheFileSurvivesEveryWrite) {
  const std::string bom = "\xEF\xBB\xBF";
  WriteBytes(checkpointPath_, bom +
                                  "; kept\n[Other]\nTripStatus=5\n\n[Main]\n  tripts = old \n"
                                  "note without equals\n\n[last]\nx=\"y\"");
  WriteCheckpoint(csRunning);
  WriteCheckpoint(csNormalShutdown);
  EXPECT_EQ(ReadBytes(checkpointPath_),
            bom +
                "; kept\n[Other]\nTripStatus=5\n\n[Main]\ntripts=2026-12-07 08:02\r\n"
                "note without equals\nTripStatus=0\r\nTripOffset=+01:00\r\n\n[last]\nx=\"y\"");
}

TEST_F(CheckpointFile, TheClockIsReadOnceBeforeTheFileIsTouched) {
  WriteBytes(checkpointPath_, "[main]\r\nTripStatus=0\r\nTripTS=old\r\n");
  auto seenByClock = std::make_shared<std::string>();
  MonitorClock = [seenByClock, path = checkpointPath_] {
    *seenByClock += ReadBytes(path);
    return TStampReading{At(2026, 12, 7, 8, 2), 0};
  };
  WriteCheckpoint(csRunning);
  EXPECT_EQ(*seenByClock, "[main]\r\nTripStatus=0\r\nTripTS=old\r\n");
}

// A cut at any moment leaves the old pair or the new one, never one of each.
TEST_F(CheckpointFile, StatusAndStampChangeTogetherOrNotAtAll) {
  const std::string old = "[main]\r\nTripStatus=0\r\nTripTS=old\r\n";
  WriteBytes(checkpointPath_, old);
  std::vector<std::string> afterEachStep;
  Platform::SetWriteStepHook([&](Platform::TWriteStep) { afterEachStep.push_back(ReadBytes(checkpointPath_)); });
  WriteCheckpoint(csRunning);
  const std::string now = "[main]\r\nTripStatus=1\r\nTripTS=2026-12-07 08:02\r\nTripOffset=+01:00\r\n";
  EXPECT_EQ(afterEachStep, (std::vector<std::string>{old, old, old, old, now}));

  Platform::SetWriteStepHook([&](Platform::TWriteStep step) {
    if (step == Platform::TWriteStep::PartlyWritten) {
      throw Platform::EFileFailure(Platform::TFileStep::Write, checkpointPath_, ENOSPC);
    }
  });
  try {
    WriteCheckpoint(csNormalShutdown);
    FAIL() << "the write did not fail";
  } catch (const EIniWriteError& error) {
    EXPECT_STREQ(error.what(), ("Unable to write to " + checkpointPath_).c_str());
  }
  EXPECT_EQ(ReadBytes(checkpointPath_), now);
}

TEST_F(CheckpointFile, AReadOnlyFileFailsWithItsPathAndKeepsItsContent) {
  const std::string before = "[main]\r\nTripStatus=0\r\nTripTS=old\r\n";
  WriteBytes(checkpointPath_, before);
  GiveToUnprivilegedUser(checkpointPath_);
  ::chmod(checkpointPath_.c_str(), 0444);
  const TChildOutcome outcome = RunUnprivileged([] { return WriteCheckpoint(csRunning); });
  EXPECT_TRUE(outcome.Threw);
  EXPECT_EQ(outcome.Text, "Unable to write to " + checkpointPath_);
  EXPECT_EQ(ReadBytes(checkpointPath_), before);
}

}  // namespace
