// The safe replacement of a file: what it keeps (permission bits, links, the
// old content on any failure), what it cleans up, and what a write stopped
// dead after each of its steps leaves behind.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/FileFailure.h"
#include "platform/SafeFile.h"
#include "support/ChildProcess.h"
#include "support/TempFolder.h"

namespace {

using Platform::EFileFailure;
using Platform::ReplaceFileContent;
using Platform::TFileStep;
using Platform::TInPlaceRewrite;
using Platform::TWriteStep;
using namespace TestSupport;

using Names = std::vector<std::string>;

class SafeFile : public testing::Test {
 protected:
  void TearDown() override { Platform::SetWriteStepHook(nullptr); }

  TTempFolder folder_;
  const std::string target_ = folder_ / "CHKPT.INI";
};

// Runs the replacement and returns the failure it raised, if any.
std::optional<EFileFailure> FailureOf(const std::string& path, const std::string& content,
                                      TInPlaceRewrite inPlace = TInPlaceRewrite::AppendOnly) {
  try {
    ReplaceFileContent(path, content, inPlace);
  } catch (const EFileFailure& failure) {
    return failure;
  }
  return std::nullopt;
}

TEST_F(SafeFile, CreatesAMissingFileWithTheUsualPermissions) {
  const mode_t oldMask = ::umask(027);
  ReplaceFileContent(target_, "new", TInPlaceRewrite::AppendOnly);
  ::umask(oldMask);
  EXPECT_EQ(ReadBytes(target_), "new");
  EXPECT_EQ(PermissionBits(target_), 0640u);
  EXPECT_EQ(EntryNames(folder_.Path()), Names{"CHKPT.INI"});
}

TEST_F(SafeFile, ReplacesTheWholeContentAndKeepsPermissionBits) {
  WriteBytes(target_, "a much longer old content");
  ::chmod(target_.c_str(), 0604);
  ReplaceFileContent(target_, "new", TInPlaceRewrite::AppendOnly);
  EXPECT_EQ(ReadBytes(target_), "new");
  EXPECT_EQ(PermissionBits(target_), 0604u);
}

TEST_F(SafeFile, FollowsLinksAndKeepsThem) {
  struct TCase {
    const char* Name;
    bool TargetExists;
  };
  for (const TCase c : {TCase{"existing target", true}, TCase{"dangling link", false}}) {
    SCOPED_TRACE(c.Name);
    TTempFolder other;
    const std::string real = other / "real.ini";
    if (c.TargetExists) WriteBytes(real, "old");
    std::filesystem::remove(target_);
    std::filesystem::create_symlink(real, target_);
    ReplaceFileContent(target_, "new", TInPlaceRewrite::AppendOnly);
    EXPECT_TRUE(std::filesystem::is_symlink(target_));
    EXPECT_EQ(ReadBytes(real), "new");
    EXPECT_EQ(EntryNames(other.Path()), Names{"real.ini"});
  }
}

TEST_F(SafeFile, AFolderAtThePathFailsAndStays) {
  std::filesystem::create_directory(target_);
  const auto failure = FailureOf(target_, "new");
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->Step(), TFileStep::Create);
  EXPECT_EQ(failure->Code(), EISDIR);
  EXPECT_TRUE(std::filesystem::is_directory(target_));
}

TEST_F(SafeFile, RemovesLeftoversOfItsOwnTargetOnly) {
  for (const char* name : {".CHKPT.INI.tmp-a1B2c3", ".CHKPT.INI.tmp-zzzzzz", ".CHKPT.INI.tmp-abc",
                           ".triplog.txt.tmp-a1B2c3", "CHKPT.INI.tmp-a1B2c3"}) {
    WriteBytes(folder_ / name, "leftover");
  }
  ReplaceFileContent(target_, "new", TInPlaceRewrite::AppendOnly);
  EXPECT_EQ(EntryNames(folder_.Path()),
            (Names{".CHKPT.INI.tmp-abc", ".triplog.txt.tmp-a1B2c3", "CHKPT.INI", "CHKPT.INI.tmp-a1B2c3"}));
}

TEST_F(SafeFile, AFaultRaisedPartWayLeavesTheOldFileAndNoTemporary) {
  WriteBytes(target_, "old");
  Platform::SetWriteStepHook([](TWriteStep step) {
    if (step == TWriteStep::Written) throw EFileFailure(TFileStep::Write, "x", EIO);
  });
  EXPECT_TRUE(FailureOf(target_, "new"));
  EXPECT_EQ(ReadBytes(target_), "old");
  EXPECT_EQ(EntryNames(folder_.Path()), Names{"CHKPT.INI"});
}

TEST_F(SafeFile, AFullDiskFailsAsWriteAndLeavesTheOldFile) {
  WriteBytes(target_, "old");
  const TChildOutcome outcome = RunInChild([&] {
    if (std::signal(SIGXFSZ, SIG_IGN) == SIG_ERR) std::abort();
    const rlimit limit{1000, 1000};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) std::abort();
    const auto failure = FailureOf(target_, std::string(5000, 'n'));
    if (!failure) return std::string("no failure");
    return std::string(failure->Step() == TFileStep::Write ? "write " : "other ") + std::to_string(failure->Code());
  });
  EXPECT_EQ(outcome.Text, "write " + std::to_string(EFBIG));
  EXPECT_EQ(ReadBytes(target_), "old");
  EXPECT_EQ(EntryNames(folder_.Path()), Names{"CHKPT.INI"});
}

TEST_F(SafeFile, ADeviceBehindALinkIsNeverWritten) {
  std::filesystem::create_symlink("/dev/full", target_);
  const auto failure = FailureOf(target_, "new");
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->Step(), TFileStep::Create);
  EXPECT_TRUE(failure->Is(Platform::TFileProblem::NotRegularFile));
  EXPECT_TRUE(std::filesystem::is_symlink(target_));
}

TEST_F(SafeFile, APreparedReplacementLeftUncommittedChangesNothing) {
  WriteBytes(target_, "old");
  { const auto prepared = Platform::PrepareReplacement(target_, "new", TInPlaceRewrite::AppendOnly); }
  EXPECT_EQ(ReadBytes(target_), "old");
  EXPECT_EQ(EntryNames(folder_.Path()), Names{"CHKPT.INI"});
}

// Stops a writing child dead right after one step, as a power cut would.
struct TCrashCase {
  TWriteStep Step;
  const char* Name;
  bool NewContentExpected;
};

class SafeFileCrash : public SafeFile, public testing::WithParamInterface<TCrashCase> {};

TEST_P(SafeFileCrash, LeavesOldOrNewAndTheNextWriteCleansUp) {
  const std::string oldContent(3000, 'o'), newContent(5000, 'n');
  WriteBytes(target_, oldContent);
  const TWriteStep stopAt = GetParam().Step;
  RunInChild([&]() -> std::string {
    Platform::SetWriteStepHook([stopAt](TWriteStep step) {
      if (step == stopAt) ::_exit(0);
    });
    ReplaceFileContent(target_, newContent, TInPlaceRewrite::AppendOnly);
    return "ran to the end";
  });
  EXPECT_EQ(ReadBytes(target_), GetParam().NewContentExpected ? newContent : oldContent);
  EXPECT_EQ(EntryNames(folder_.Path()).size(), GetParam().NewContentExpected ? 1u : 2u)
      << "a stopped write leaves exactly its own temporary";

  ReplaceFileContent(target_, "third", TInPlaceRewrite::AppendOnly);
  EXPECT_EQ(ReadBytes(target_), "third");
  EXPECT_EQ(EntryNames(folder_.Path()), Names{"CHKPT.INI"});
}

INSTANTIATE_TEST_SUITE_P(Steps, SafeFileCrash,
                         testing::Values(TCrashCase{TWriteStep::TempCreated, "TempCreated", false},
                                         TCrashCase{TWriteStep::PartlyWritten, "PartlyWritten", false},
                                         TCrashCase{TWriteStep::Written, "Written", false},
                                         TCrashCase{TWriteStep::Flushed, "Flushed", false},
                                         TCrashCase{TWriteStep::Renamed, "Renamed", true}),
                         [](const auto& info) { return std::string(info.param.Name); });

// Without root rights, which would ignore the permission bits.
class SafeFileUnprivileged : public SafeFile {
 protected:
  void SetUp() override {
    work_ = folder_ / "work";
    std::filesystem::create_directory(work_);
    GiveToUnprivilegedUser(work_);
    file_ = work_ + "/CHKPT.INI";
    WriteBytes(file_, "old");
    GiveToUnprivilegedUser(file_);
  }

  // The outcome of a replacement run as the unprivileged user.
  TChildOutcome Replace(const std::string& content, TInPlaceRewrite inPlace = TInPlaceRewrite::AppendOnly) {
    return RunUnprivileged([&] {
      const auto failure = FailureOf(file_, content, inPlace);
      return failure ? "failed " + std::to_string(failure->Code()) : std::string("written");
    });
  }
  std::string work_, file_;
};

TEST_F(SafeFileUnprivileged, AReadOnlyFileFailsAndKeepsItsContent) {
  ::chmod(file_.c_str(), 0444);
  EXPECT_EQ(Replace("new").Text, "failed " + std::to_string(EACCES));
  EXPECT_EQ(ReadBytes(file_), "old");
  EXPECT_EQ(EntryNames(work_), Names{"CHKPT.INI"});
}

TEST_F(SafeFileUnprivileged, AFolderWithoutWriteAccessCannotGetANewFile) {
  std::filesystem::remove(file_);
  ::chmod(work_.c_str(), 0555);
  EXPECT_EQ(Replace("new").Text, "failed " + std::to_string(EACCES));
  EXPECT_EQ(EntryNames(work_), Names{});
}

// A writable file in a closed folder is written in place, never emptied:
// appended to, or overwritten in one write padded to its old length.
TEST_F(SafeFileUnprivileged, AWritableFileInAClosedFolderIsWrittenInPlaceWithoutEmptying) {
  struct TCase {
    const char* Name;
    TInPlaceRewrite InPlace;
    const char* Content;
    const char* Outcome;
    const char* File;
  };
  const std::string refused = "failed " + std::to_string(EACCES);
  for (const TCase c : {TCase{"appended", TInPlaceRewrite::AppendOnly, "old line", "written", "old line"},
                        TCase{"not an append", TInPlaceRewrite::AppendOnly, "new", refused.c_str(), "old"},
                        TCase{"shorter, padded", TInPlaceRewrite::PadWithBlankLines, "n", "written", "n\r\n"},
                        TCase{"padded, odd", TInPlaceRewrite::PadWithBlankLines, "", "written", "\r\n\n"},
                        TCase{"longer", TInPlaceRewrite::PadWithBlankLines, "longer", "written", "longer"}}) {
    SCOPED_TRACE(c.Name);
    ::chmod(work_.c_str(), 0755);
    WriteBytes(file_, "old");
    ::chmod(file_.c_str(), 0620);
    ::chmod(work_.c_str(), 0555);
    EXPECT_EQ(Replace(c.Content, c.InPlace).Text, c.Outcome);
    EXPECT_EQ(ReadBytes(file_), c.File);
    EXPECT_EQ(PermissionBits(file_), 0620u);
  }
}

}  // namespace
