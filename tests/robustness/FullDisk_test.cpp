// A full disk during a checkpoint write and during a log save: the error
// text the user is shown, the old file intact and no temporary file left.
// The disk is a small tmpfs, filled up, where the tests may mount one (as
// root); elsewhere a write fault injected into the file layer stands in.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "FullDisk.h"
#include "RealProgram.h"
#include "calendar/Cdatlib.h"
#include "monitor/CheckpointFile.h"
#include "monitor/TripLog.h"
#include "platform/FileFailure.h"
#include "platform/SafeFile.h"
#include "support/ChildProcess.h"
#include "support/TempFolder.h"

namespace {

using namespace Robustness;
using namespace TestSupport;

constexpr char Separator = '\x1f';

// What a child left on its full disk, which the parent cannot see.
struct TDiskOutcome {
  std::string Disk;  // "tmpfs" or "injected fault"
  std::string Error;
  std::string File;  // the file's content, or "(missing)"
  std::string Entries;

  std::string Encoded() const { return Disk + Separator + Error + Separator + File + Separator + Entries; }
  static TDiskOutcome Decoded(const std::string& text) {
    std::vector<std::string> parts(1);
    for (const char c : text) {
      if (c == Separator) {
        parts.emplace_back();
      } else {
        parts.back().push_back(c);
      }
    }
    parts.resize(4);
    return {parts[0], parts[1], parts[2], parts[3]};
  }
};

std::string ContentOrMissing(const std::string& path) {
  return std::filesystem::exists(path) ? ReadBytes(path) : "(missing)";
}

struct TFullDiskCase {
  const char* Name;
  TFile File;
  bool OldFileExists;
};

void PrintTo(const TFullDiskCase& c, std::ostream* os) { *os << c.Name; }

class FullDisk : public testing::TestWithParam<TFullDiskCase> {
 protected:
  void SetUp() override { std::filesystem::create_directory(disk_); }

  TTempFolder folder_;
  const std::string disk_ = folder_ / "disk";
  const std::string program_ = disk_ + "/program";
};

// The file layer fails the way a full disk makes it fail, half-way through
// writing the new content.
void InjectFullDisk(const std::string& path) {
  Platform::SetWriteStepHook([path](Platform::TWriteStep step) {
    if (step == Platform::TWriteStep::PartlyWritten)
      throw Platform::EFileFailure(Platform::TFileStep::Write, path, ENOSPC);
  });
}

TEST_P(FullDisk, FailsWithItsMessageAndLeavesTheOldFile) {
  const TFullDiskCase& c = GetParam();
  const std::string path = program_ + (c.File == TFile::Checkpoint ? "/CHKPT.INI" : "/triplog.txt");
  const std::string old = c.File == TFile::Checkpoint ? OldCheckpoint : OldLog;
  const TChildOutcome child = RunInChild([&] {
    TDiskOutcome outcome;
    const bool mounted = MountSmallDisk(disk_, std::size_t{256} * 1024);
    outcome.Disk = mounted ? "tmpfs" : "injected fault";
    std::filesystem::create_directory(program_);
    if (c.OldFileExists) WriteBytes(path, old);
    if (mounted) {
      FillDisk(disk_ + "/filler");
    } else {
      InjectFullDisk(path);
    }
    Cdatlib::StampStyle = 2;
    Monitor::CheckpointPath = program_ + "/CHKPT.INI";
    Monitor::TTripLog log;
    log.LogPath = program_ + "/triplog.txt";
    log.Replace(old + "2026-12-07 08:02  Program restart\r\n");
    try {
      if (c.File == TFile::Checkpoint) {
        Monitor::WriteCheckpoint(Monitor::csRunning);
      } else {
        Monitor::SaveLog(log);
      }
      outcome.Error = "no error";
    } catch (const std::exception& error) {
      outcome.Error = error.what();
    }
    if (c.File == TFile::Log && !log.LogDirty) outcome.Error += " (and the log no longer dirty)";
    outcome.File = ContentOrMissing(path);
    outcome.Entries = EntryList(program_);
    return outcome.Encoded();
  });
  ASSERT_FALSE(child.Threw) << child.Text;
  const TDiskOutcome outcome = TDiskOutcome::Decoded(child.Text);
  RecordProperty("disk", outcome.Disk);
  const std::string message = c.File == TFile::Checkpoint ? "Unable to write to " + path : "Stream write error";
  EXPECT_EQ(outcome.Error, message) << "on a full " << outcome.Disk;
  EXPECT_EQ(outcome.File, c.OldFileExists ? old : "(missing)");
  const std::string name = c.File == TFile::Checkpoint ? "CHKPT.INI " : "triplog.txt ";
  EXPECT_EQ(outcome.Entries, c.OldFileExists ? name : "") << "no temporary file may stay";
}

INSTANTIATE_TEST_SUITE_P(Writes, FullDisk,
                         testing::Values(TFullDiskCase{"CheckpointOverAnOldOne", TFile::Checkpoint, true},
                                         TFullDiskCase{"FirstCheckpoint", TFile::Checkpoint, false},
                                         TFullDiskCase{"LogOverAnOldOne", TFile::Log, true},
                                         TFullDiskCase{"FirstLog", TFile::Log, false}),
                         [](const testing::TestParamInfo<TFullDiskCase>& info) {
                           return std::string(info.param.Name);
                         });

// The real program on a full disk: its start stops with the message when it
// makes the checkpoint ready, before the log save, so both files keep what
// they held.
TEST(FullDiskProgram, AStartStopsAtTheLogSaveAndChangesNothing) {
  TTempFolder folder;
  const std::string disk = folder / "disk";
  const std::string output = folder / "output";
  std::filesystem::create_directory(disk);
  std::filesystem::create_directory(output);
  const auto programSize = std::filesystem::file_size(ProgramUnderTest());
  const TChildOutcome child = RunInChild([&]() -> std::string {
    if (!MountSmallDisk(disk, programSize + std::size_t{512} * 1024)) return "skip";
    const std::string program = disk + "/program";
    std::filesystem::create_directory(program);
    WriteBytes(program + "/CHKPT.INI", OldCheckpoint);
    WriteBytes(program + "/triplog.txt", OldLog);
    TRealProgram run(program, output, {});
    FillDisk(disk + "/filler");
    run.Start();
    std::string report = run.WaitForErrorOutput("Unable to write to " + program + "/CHKPT.INI")
                             ? ""
                             : "no message: " + run.ErrorOutput();
    run.Kill();
    if (ReadBytes(program + "/CHKPT.INI") != OldCheckpoint) report += " checkpoint changed;";
    if (ReadBytes(program + "/triplog.txt") != OldLog) report += " log changed;";
    if (EntryList(program) != "CHKPT.INI tallyvane tallyvane.lock triplog.txt ") {
      report += " entries: " + EntryList(program);
    }
    return report;
  });
  if (child.Text == "skip") GTEST_SKIP() << "no tmpfs can be mounted here (needs root)";
  EXPECT_FALSE(child.Threw);
  EXPECT_EQ(child.Text, "");
}

}  // namespace
