// The real program under strace: every replacement of the checkpoint file
// and of the trip log writes a temporary file, fsyncs it, renames it over the
// file and fsyncs the folder; nothing is written in place, except where the
// folder refuses new files, and there the rewrite in place is fsynced.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <string>

#include "RealProgram.h"
#include "ReplacementOrder.h"
#include "support/ChildProcess.h"
#include "support/TempFolder.h"

namespace {

using namespace Robustness;
using namespace TestSupport;

class DiskOrder : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(std::system("command -v strace >/dev/null"), 0) << "strace is needed (Debian package strace)";
    std::filesystem::create_directory(program_);
    std::filesystem::create_directory(output_);
    GiveToUnprivilegedUser(output_);
  }

  struct TTracedRun {
    TOrderReport Start;  // the start-up alone
    TOrderReport Whole;  // the start-up and the session end
  };

  // Starts the program under strace, ends it like a session end, and checks
  // the order of every write to the two files.
  TTracedRun TracedRun(TRunOptions options) {
    options.Strace = true;
    TRealProgram program(program_, output_, options);
    TTracedRun run;
    EXPECT_TRUE(program.StartAndWait()) << program.ErrorOutput();
    run.Start = CheckReplacements(ParseStraceLog(program.Trace()), {checkpoint_, log_});
    EXPECT_EQ(program.EndSession(), 0) << program.ErrorOutput();
    EXPECT_NE(ReadBytes(checkpoint_).find("TripStatus=0\r\n"), std::string::npos) << ReadBytes(checkpoint_);
    const auto calls = ParseStraceLog(program.Trace());
    EXPECT_GT(calls.size(), 100u) << "the trace is too short to be the program's";
    run.Whole = CheckReplacements(calls, {checkpoint_, log_});
    return run;
  }

  // Each checkpoint writes both keys by one update of the file; the session
  // end writes exactly one more.
  static void ExpectCheckpointWrites(const std::map<std::string, int>& start, const std::map<std::string, int>& whole,
                                     const std::string& checkpoint) {
    EXPECT_EQ(start.contains(checkpoint) ? start.at(checkpoint) : 0, 1);
    const int all = whole.contains(checkpoint) ? whole.at(checkpoint) : 0;
    EXPECT_EQ(all, 2) << "the start-up checkpoint and the session end's";
  }

  TTempFolder folder_;
  const std::string program_ = folder_ / "program";
  const std::string output_ = folder_ / "output";
  const std::string checkpoint_ = program_ + "/CHKPT.INI";
  const std::string log_ = program_ + "/triplog.txt";
};

struct TFolderCase {
  const char* Name;
  bool FilesExist;
};

void PrintTo(const TFolderCase& c, std::ostream* os) { *os << c.Name; }

class DiskOrderOfAStart : public DiskOrder, public testing::WithParamInterface<TFolderCase> {};

TEST_P(DiskOrderOfAStart, ReplacesEachFileThroughAFlushedTemporary) {
  if (GetParam().FilesExist) {
    WriteBytes(checkpoint_, "[main]\r\nTripStatus=1\r\nTripTS=2026-12-06 18:41\r\n");
    WriteBytes(log_, "an older line\r\n");
  }
  const TTracedRun run = TracedRun({});
  EXPECT_TRUE(run.Whole.Violations.empty()) << testing::PrintToString(run.Whole.Violations);
  EXPECT_EQ(run.Start.Replacements.at(log_), 1);
  EXPECT_EQ(run.Whole.Replacements.at(log_), 1);
  ExpectCheckpointWrites(run.Start.Replacements, run.Whole.Replacements, checkpoint_);
  EXPECT_TRUE(run.Whole.InPlaceRewrites.empty());
  EXPECT_EQ(EntryNames(program_),
            (std::vector<std::string>{"CHKPT.INI", "tallyvane", "tallyvane.lock", "triplog.txt"}));
}

INSTANTIATE_TEST_SUITE_P(Folders, DiskOrderOfAStart,
                         testing::Values(TFolderCase{"FirstStart", false}, TFolderCase{"StartAfterAPowerCut", true}),
                         [](const testing::TestParamInfo<TFolderCase>& info) { return std::string(info.param.Name); });

TEST_F(DiskOrder, AFolderThatRefusesNewFilesGetsFlushedRewritesInPlace) {
  WriteBytes(checkpoint_, "[main]\r\nTripStatus=0\r\nTripTS=2026-12-06 18:41\r\n");
  WriteBytes(log_, "an older line\r\n");
  GiveToUnprivilegedUser(checkpoint_);
  GiveToUnprivilegedUser(log_);
  ::chmod(program_.c_str(), 0555);
  const TTracedRun run = TracedRun({.Unprivileged = true});
  EXPECT_TRUE(run.Whole.Violations.empty()) << testing::PrintToString(run.Whole.Violations);
  EXPECT_TRUE(run.Whole.Replacements.empty());
  EXPECT_EQ(run.Whole.InPlaceRewrites.at(log_), 1);
  ExpectCheckpointWrites(run.Start.InPlaceRewrites, run.Whole.InPlaceRewrites, checkpoint_);
  EXPECT_EQ(EntryNames(program_), (std::vector<std::string>{"CHKPT.INI", "tallyvane", "triplog.txt"}));
}

}  // namespace
