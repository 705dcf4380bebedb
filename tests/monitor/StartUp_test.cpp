// The start-up sequence from checkpoint file to window, trip log and timer,
// and the checkpoints of the minute tick and the close query.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <filesystem>

#include "MonitorTestbed.h"
#include "monitor/BootLine.h"
#include "monitor/CheckpointFile.h"
#include "monitor/MonitorErrors.h"
#include "monitor/StartUp.h"
#include "support/ChildProcess.h"
#include "support/TimeZone.h"

namespace {

using namespace Monitor;
using namespace MonitorTest;
using namespace TestSupport;

class StartUp : public MonitorTestbed {
 protected:
  void SetUp() override {
    MonitorTestbed::SetUp();
    Cdatlib::StampStyle = 1;  // the start-up sequence picks its own style
    log_.LogPath = LogPathInProgramFolder();
  }

  void WriteCheckpointFile(const std::string& keys) { WriteBytes(checkpointPath_, "[main]\r\n" + keys); }

  TRecordingWindow window_;
  TTripLog log_;
};

struct TVerdictCase {
  const char* Name;
  const char* Keys;  // nullptr: no checkpoint file
  int32_t Status;
  const char* Label;
  const char* LogLines;
};

class Verdict : public StartUp, public testing::WithParamInterface<TVerdictCase> {};

TEST_P(Verdict, ShowsLogsAndChecksItIn) {
  const TVerdictCase& c = GetParam();
  if (c.Keys) WriteCheckpointFile(c.Keys);
  StartMonitor(window_, log_);
  EXPECT_EQ(PreviousStatus, c.Status);
  EXPECT_EQ(window_.Verdicts, std::vector<std::string>{c.Label});
  EXPECT_EQ(ReadBytes(logPath_), c.LogLines);
  EXPECT_FALSE(log_.LogDirty);
  const TCheckpoint now = ReadCheckpoint();
  EXPECT_EQ(now.Status, csRunning);
  EXPECT_EQ(now.StampText, "2026-12-07 08:02");
  EXPECT_EQ(window_.Checkpoints, std::vector<std::string>{"New checkpoint = 2026-12-07 08:02"});
  EXPECT_EQ(window_.TimerStarts, std::vector<int>{60000});
}

INSTANTIATE_TEST_SUITE_P(
    PreviousRuns, Verdict,
    testing::Values(TVerdictCase{"Abnormal", "TripStatus=1\r\nTripTS=2026-12-06 18:41\r\n", 1,
                                 "When this program last ran, it terminated ABNORMALLY soon after 2026-12-06 18:41",
                                 "2026-12-06 18:41  ABNORMAL PROGRAM END\r\n2026-12-07 08:02  Program restart\r\n"},
                    TVerdictCase{"Normal", "TripStatus=0\r\nTripTS=2026-12-06 18:41\r\n", 0,
                                 "When this program last ran, it terminated normally soon after 2026-12-06 18:41",
                                 "2026-12-06 18:41  Normal program shutdown\r\n2026-12-07 08:02  Program restart\r\n"},
                    TVerdictCase{"FirstRun", nullptr, 2, "This program has not been run before on this PC",
                                 "2026-12-07 08:02  Program start - first time on this PC\r\n"},
                    TVerdictCase{"HandEditedSeven", "TripStatus=7\r\nTripTS=2026-12-06 18:41\r\n", 7, "",
                                 "2026-12-07 08:02  Program restart\r\n"},
                    TVerdictCase{"HandEditedNegative", "TripStatus=-1\r\nTripTS=2026-12-06 18:41\r\n", -1,
                                 " soon after 2026-12-06 18:41", "2026-12-07 08:02  Program restart\r\n"},
                    TVerdictCase{"AbnormalWithoutStamp", "TripStatus=1\r\n", 1,
                                 "When this program last ran, it terminated ABNORMALLY soon after ",
                                 "  ABNORMAL PROGRAM END\r\n2026-12-07 08:02  Program restart\r\n"},
                    TVerdictCase{"AbnormalWithSmallLetters", "TripStatus=0x1\r\nTripTS=6 dec, late\r\n", 1,
                                 "When this program last ran, it terminated ABNORMALLY soon after 6 dec, late",
                                 "6 DEC, LATE  ABNORMAL PROGRAM END\r\n2026-12-07 08:02  Program restart\r\n"}),
    [](const auto& info) { return std::string(info.param.Name); });

// The log keeps what the window shows, after the restart; nothing after a normal end.
TEST_F(StartUp, TheLogKeepsTheBootTimeLine) {
  const TestSupport::TTimeZone berlin("Europe/Berlin");
  BootClock = [] { return std::optional<int64_t>(1796623230); };  // 2026-12-07 07:00:30 in Berlin
  for (const char* status : {"1", "0"}) {
    WriteCheckpointFile(std::string("TripStatus=") + status + "\r\nTripTS=2026-12-06 18:41\r\n");
    StartMonitor(window_, log_);
  }
  const std::string line = "The computer started again at 2026-12-07 07:00: it was off for at most 12 h 19 min";
  EXPECT_EQ(window_.BootLines, std::vector<std::string>{line});
  EXPECT_EQ(ReadBytes(logPath_),
            "2026-12-06 18:41  ABNORMAL PROGRAM END\r\n2026-12-07 08:02  Program restart\r\n2026-12-07 08:02  " + line +
                "\r\n2026-12-06 18:41  Normal program shutdown\r\n2026-12-07 08:02  Program restart\r\n");
}

// The sleep mark counts only where the computer started afresh after it.
TEST_F(StartUp, ARunThatDiedAsleepIsToldAsSuch) {
  const TestSupport::TTimeZone berlin("Europe/Berlin");
  const int64_t boot = 1796626680;  // 2026-12-07 07:58 in Berlin
  const std::string asleep = "When this program last ran, it terminated ABNORMALLY while the computer slept, after ";
  const std::string soonAfter = "When this program last ran, it terminated ABNORMALLY soon after ";
  const std::string started = "The computer started again at 2026-12-07 07:58";
  const struct {
    const char* name;
    std::string stamp, mark;  // the mark's line, if any
    std::optional<int64_t> boot;
    std::string label, bootLine;
  } cases[] = {
      {"started after the sleep", "2026-12-06 23:10", "TripSleep=1\r\n", boot, asleep + "2026-12-06 23:10",
       started + " without waking from sleep: it was off for at most 8 h 48 min"},
      {"no mark", "2026-12-06 23:10", "", boot, soonAfter + "2026-12-06 23:10",
       started + ": it was off for at most 8 h 48 min"},
      {"mark taken out", "2026-12-06 23:10", "TripSleep=0\r\n", boot, soonAfter + "2026-12-06 23:10",
       started + ": it was off for at most 8 h 48 min"},
      {"killed after waking", "2026-12-07 07:59", "TripSleep=1\r\n", boot - 3600, soonAfter + "2026-12-07 07:59",
       "The computer kept running: only this program was stopped"},
      {"boot unknown", "2026-12-06 23:10", "TripSleep=1\r\n", std::nullopt, soonAfter + "2026-12-06 23:10", ""},
  };
  for (const auto& c : cases) {
    std::filesystem::remove(logPath_);
    log_.Edited("");
    window_ = TRecordingWindow();
    BootClock = [boot = c.boot] { return boot; };
    WriteCheckpointFile("TripStatus=1\r\nTripTS=" + c.stamp + "\r\n" + c.mark);
    StartMonitor(window_, log_);
    EXPECT_EQ(window_.Verdicts, std::vector<std::string>{c.label}) << c.name;
    EXPECT_EQ(window_.BootLines, std::vector<std::string>{c.bootLine}) << c.name;
    EXPECT_EQ(ReadBytes(logPath_), c.stamp + "  ABNORMAL PROGRAM END\r\n2026-12-07 08:02  Program restart\r\n" +
                                       (c.bootLine.empty() ? "" : "2026-12-07 08:02  " + c.bootLine + "\r\n"))
        << c.name;
    EXPECT_FALSE(ReadCheckpoint().Asleep) << c.name;
  }
}

// The mark is written only as the computer goes to sleep, and the next
// checkpoint takes it out, leaving the file as before.
TEST_F(StartUp, OnlyTheSleepsCheckpointIsMarked) {
  StartMonitor(window_, log_);
  ClockReads({At(2026, 12, 7, 23, 10)});
  SleepCheckpoint(window_);
  EXPECT_EQ(ReadBytes(checkpointPath_),
            "[main]\r\nTripStatus=1\r\nTripTS=2026-12-07 23:10\r\nTripOffset=+01:00\r\nTripSleep=1\r\n");
  SleepCheckpoint(window_);  // logind may say it twice
  EXPECT_EQ(ReadBytes(checkpointPath_),
            "[main]\r\nTripStatus=1\r\nTripTS=2026-12-07 23:10\r\nTripOffset=+01:00\r\nTripSleep=1\r\n");
  ClockReads({At(2026, 12, 8, 7, 30)});
  CheckpointTimerTick(window_);
  EXPECT_EQ(ReadBytes(checkpointPath_), "[main]\r\nTripStatus=1\r\nTripTS=2026-12-08 07:30\r\nTripOffset=+01:00\r\n");
  EXPECT_EQ(window_.Checkpoints.back(), "New checkpoint = 2026-12-08 07:30");
}

TEST_F(StartUp, AStartCutAfterItsLogSaveIsTheAbnormalEndWithItsBootTimeLine) {
  const TestSupport::TTimeZone berlin("Europe/Berlin");
  BootClock = [] { return std::optional<int64_t>(1796623230); };  // 2026-12-07 07:00:30 in Berlin
  WriteCheckpointFile("TripStatus=0\r\nTripTS=2026-12-06 18:41\r\n");
  const std::string cutStart = "2026-12-06 18:41  Normal program shutdown\r\n2026-12-07 06:50  Program restart\r\n";
  WriteBytes(logPath_, cutStart);
  StartMonitor(window_, log_);
  EXPECT_EQ(window_.Verdicts.back(),
            "When this program last ran, it terminated ABNORMALLY soon after 2026-12-07 06:50");
  EXPECT_EQ(ReadBytes(logPath_),
            cutStart +
                "2026-12-07 06:50  ABNORMAL PROGRAM END\r\n2026-12-07 08:02  Program restart\r\n"
                "2026-12-07 08:02  The computer started again at 2026-12-07 07:00: it was off for at most 10 min\r\n");
}

TEST_F(StartUp, AppendsToALogWithoutFinalBreakAndKeepsItThatWay) {
  WriteBytes(logPath_, "first\nsecond");
  StartMonitor(window_, log_);
  EXPECT_EQ(ReadBytes(logPath_), "first\r\nsecond\r\n2026-12-07 08:02  Program start - first time on this PC");
}

TEST_F(StartUp, TheCheckpointTakesAClockReadingOfItsOwn) {
  ClockReads({At(2026, 12, 7, 8, 2), At(2026, 12, 7, 8, 3)});
  StartMonitor(window_, log_);
  EXPECT_EQ(ReadBytes(logPath_), "2026-12-07 08:02  Program start - first time on this PC\r\n");
  EXPECT_EQ(window_.Checkpoints, std::vector<std::string>{"New checkpoint = 2026-12-07 08:03"});
  EXPECT_EQ(ClockReadings(), 2);
}

TEST_F(StartUp, AFailedLogSaveLeavesTheCheckpointOfThePreviousRun) {
  const std::string previous = "[main]\r\nTripStatus=1\r\nTripTS=2026-12-06 18:41\r\n";
  WriteBytes(checkpointPath_, previous);
  std::filesystem::create_directory(logPath_);
  try {
    StartMonitor(window_, log_);
    FAIL() << "the start-up did not fail";
  } catch (const EMonitorError& error) {
    EXPECT_STREQ(error.KindName(), "EFileCreateError");
    EXPECT_EQ(std::string(error.what()), "Cannot create file \"" + logPath_ + "\". " + std::strerror(EISDIR));
  }
  EXPECT_EQ(ReadBytes(checkpointPath_), previous);
  EXPECT_TRUE(window_.Checkpoints.empty());
  EXPECT_TRUE(window_.TimerStarts.empty());
}

TEST_F(StartUp, AReadOnlyLogStopsTheStartWithoutTouchingTheCheckpoint) {
  const std::string previous = "[main]\r\nTripStatus=0\r\nTripTS=2026-12-06 18:41\r\n";
  WriteBytes(checkpointPath_, previous);
  WriteBytes(logPath_, "old\r\n");
  for (const std::string& path : {folder_.Path(), checkpointPath_, logPath_}) GiveToUnprivilegedUser(path);
  ::chmod(logPath_.c_str(), 0444);
  const TChildOutcome outcome = RunUnprivileged([&] {
    StartMonitor(window_, log_);
    return std::string("started");
  });
  EXPECT_EQ(outcome.Text, "Cannot create file \"" + logPath_ + "\". " + std::strerror(EACCES));
  EXPECT_EQ(ReadBytes(checkpointPath_), previous);
  EXPECT_EQ(ReadBytes(logPath_), "old\r\n");
}

// A checkpoint file that cannot be read is no first start: nothing is written.
TEST_F(StartUp, AFailedCheckpointLeavesTheLogAsItWas) {
  WriteBytes(logPath_, "old\r\n");
  std::filesystem::create_directory(checkpointPath_);
  try {
    StartMonitor(window_, log_);
    FAIL() << "the start-up did not fail";
  } catch (const EIniReadError& error) {
    EXPECT_EQ(std::string(error.what()), "Unable to read " + checkpointPath_);
  }
  EXPECT_EQ(ReadBytes(logPath_), "old\r\n");
  EXPECT_TRUE(window_.TimerStarts.empty());
}

TEST_F(StartUp, TicksAndTheCloseQueryWriteCheckpointsButNotThePreviousRun) {
  WriteCheckpointFile("TripStatus=0\r\nTripTS=2026-12-06 18:41\r\n");
  StartMonitor(window_, log_);
  ClockReads({At(2026, 12, 7, 8, 3)});
  CheckpointTimerTick(window_);
  EXPECT_EQ(ReadBytes(checkpointPath_), "[main]\r\nTripStatus=1\r\nTripTS=2026-12-07 08:03\r\nTripOffset=+01:00\r\n");
  ClockReads({At(2026, 12, 7, 17, 30)});
  EXPECT_TRUE(CloseQueryCheckpoint(window_));
  EXPECT_EQ(ReadBytes(checkpointPath_), "[main]\r\nTripStatus=0\r\nTripTS=2026-12-07 17:30\r\nTripOffset=+01:00\r\n");
  EXPECT_EQ(window_.Checkpoints.back(), "New checkpoint = 2026-12-07 17:30");
  EXPECT_EQ(PreviousStatus, 0);
  EXPECT_EQ(PreviousStampText, "2026-12-06 18:41");
}

TEST_F(StartUp, AFailedTickOrCloseLeavesTheCheckpointLabel) {
  StartMonitor(window_, log_);
  std::filesystem::remove(checkpointPath_);
  std::filesystem::create_directory(checkpointPath_);
  EXPECT_THROW(CheckpointTimerTick(window_), EIniWriteError);
  EXPECT_THROW(CloseQueryCheckpoint(window_), EIniWriteError);
  EXPECT_EQ(window_.Checkpoints, std::vector<std::string>{"New checkpoint = 2026-12-07 08:02"});
}

}  // namespace
