// A folder made read-only while the program runs, for a user without root
// rights (root ignores permission bits, so the writes run as the
// unprivileged user). A file that stays writable is rewritten in place; one
// that cannot be written fails with the message the user is shown and keeps
// its content; a missing one is not created. No temporary file is left.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>

#include "RealProgram.h"
#include "calendar/Cdatlib.h"
#include "monitor/CheckpointFile.h"
#include "monitor/TripLog.h"
#include "support/ChildProcess.h"
#include "support/TempFolder.h"

namespace {

using namespace Robustness;
using namespace TestSupport;

const std::string NewLog = OldLog + "2026-12-07 08:02  Program restart\r\n";

enum class TFileState { Writable, ReadOnly, Missing };

struct TClosedCase {
  const char* Name;
  TFile File;
  TFileState State;
};

void PrintTo(const TClosedCase& c, std::ostream* os) { *os << c.Name; }

class ClosedFolder : public testing::TestWithParam<TClosedCase> {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(work_);
    GiveToUnprivilegedUser(work_);
  }

  // Creates the file as the unprivileged user's, with the mode, before the
  // folder closes.
  void Place(const std::string& path, const std::string& content, mode_t mode) {
    WriteBytes(path, content);
    GiveToUnprivilegedUser(path);
    ::chmod(path.c_str(), mode);
  }

  TTempFolder folder_;
  const std::string work_ = folder_ / "program";
  const std::string checkpoint_ = work_ + "/CHKPT.INI";
  const std::string log_ = work_ + "/triplog.txt";
};

TEST_P(ClosedFolder, WritesInPlaceOrFailsWithItsMessage) {
  const TClosedCase& c = GetParam();
  const bool checkpoint = c.File == TFile::Checkpoint;
  const std::string path = checkpoint ? checkpoint_ : log_;
  const std::string old = checkpoint ? OldCheckpoint : OldLog;
  if (c.State != TFileState::Missing) Place(path, old, c.State == TFileState::Writable ? 0644 : 0444);
  ::chmod(work_.c_str(), 0555);

  const TChildOutcome outcome = RunUnprivileged([&] {
    Cdatlib::StampStyle = 2;
    Monitor::CheckpointPath = checkpoint_;
    Monitor::TTripLog log;
    log.LogPath = log_;
    log.Replace(NewLog);
    if (checkpoint) {
      Monitor::WriteCheckpoint(Monitor::csNormalShutdown);
    } else {
      Monitor::SaveLog(log);
    }
    return std::string("written");
  });

  std::string message = "written";
  if (c.State != TFileState::Writable) {
    message =
        checkpoint ? "Unable to write to " + path : "Cannot create file \"" + path + "\". " + std::strerror(EACCES);
  }
  EXPECT_EQ(outcome.Text, message);
  switch (c.State) {
    case TFileState::Writable:
      if (checkpoint) {
        EXPECT_NE(ReadBytes(path).find("TripStatus=0\r\nTripTS="), std::string::npos) << ReadBytes(path);
      } else {
        EXPECT_EQ(ReadBytes(path), NewLog);
      }
      break;
    case TFileState::ReadOnly: EXPECT_EQ(ReadBytes(path), old); break;
    case TFileState::Missing: EXPECT_FALSE(std::filesystem::exists(path)); break;
  }
  const std::string name = checkpoint ? "CHKPT.INI " : "triplog.txt ";
  EXPECT_EQ(EntryList(work_), c.State == TFileState::Missing ? "" : name) << "no temporary file may stay";
}

INSTANTIATE_TEST_SUITE_P(Files, ClosedFolder,
                         testing::Values(TClosedCase{"WritableCheckpoint", TFile::Checkpoint, TFileState::Writable},
                                         TClosedCase{"ReadOnlyCheckpoint", TFile::Checkpoint, TFileState::ReadOnly},
                                         TClosedCase{"MissingCheckpoint", TFile::Checkpoint, TFileState::Missing},
                                         TClosedCase{"WritableLog", TFile::Log, TFileState::Writable},
                                         TClosedCase{"ReadOnlyLog", TFile::Log, TFileState::ReadOnly},
                                         TClosedCase{"MissingLog", TFile::Log, TFileState::Missing}),
                         [](const testing::TestParamInfo<TClosedCase>& info) { return std::string(info.param.Name); });

// The real program, run by the unprivileged user, in its folder closed after
// the start; the session end writes the final checkpoint.
class ClosedFolderProgram : public testing::Test {
 protected:
  void SetUp() override {
    for (const std::string& folder : {program_, output_}) {
      std::filesystem::create_directory(folder);
      GiveToUnprivilegedUser(folder);
    }
  }

  TTempFolder folder_;
  const std::string program_ = folder_ / "program";
  const std::string output_ = folder_ / "output";
  const std::string checkpoint_ = program_ + "/CHKPT.INI";
};

TEST_F(ClosedFolderProgram, TheFinalCheckpointIsWrittenInPlace) {
  TRealProgram program(program_, output_, {.Unprivileged = true});
  ASSERT_TRUE(program.StartAndWait()) << program.ErrorOutput();
  ::chmod(program_.c_str(), 0555);
  EXPECT_EQ(program.EndSession(), 0) << program.ErrorOutput();
  EXPECT_NE(ReadBytes(checkpoint_).find("TripStatus=0\r\n"), std::string::npos) << ReadBytes(checkpoint_);
  EXPECT_EQ(EntryList(program_), "CHKPT.INI tallyvane tallyvane.lock triplog.txt ");
}

TEST_F(ClosedFolderProgram, AReadOnlyCheckpointFailsWithItsPathAndKeepsTheStart) {
  TRealProgram program(program_, output_, {.Unprivileged = true});
  ASSERT_TRUE(program.StartAndWait()) << program.ErrorOutput();
  const std::string started = ReadBytes(checkpoint_);
  ::chmod(checkpoint_.c_str(), 0444);
  ::chmod(program_.c_str(), 0555);
  program.AskToEnd();
  EXPECT_TRUE(program.WaitForErrorOutput("Unable to write to " + checkpoint_)) << program.ErrorOutput();
  program.Kill();
  EXPECT_EQ(ReadBytes(checkpoint_), started);
  EXPECT_EQ(EntryList(program_), "CHKPT.INI tallyvane tallyvane.lock triplog.txt ");
}

}  // namespace
