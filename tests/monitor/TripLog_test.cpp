// The trip log: line breaks on load, the append rule, when LogDirty changes,
// the byte-for-byte save, and the error texts of a log that cannot be used.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <filesystem>

#include "MonitorTestbed.h"
#include "monitor/LineBreaks.h"
#include "monitor/MonitorErrors.h"
#include "monitor/TripLog.h"
#include "platform/FileFailure.h"
#include "platform/SafeFile.h"
#include "support/ChildProcess.h"

namespace {

using namespace Monitor;
using namespace MonitorTest;
using namespace TestSupport;
using namespace std::string_literals;

struct TBreakCase {
  const char* Name;
  std::string Read, Held;
};

class LogLineBreaks : public testing::TestWithParam<TBreakCase> {};

TEST_P(LogLineBreaks, BecomeCrLf) { EXPECT_EQ(WithCrLfBreaks(GetParam().Read), GetParam().Held); }

INSTANTIATE_TEST_SUITE_P(Cases, LogLineBreaks,
                         testing::Values(TBreakCase{"Empty", "", ""}, TBreakCase{"CrLf", "a\r\nb\r\n", "a\r\nb\r\n"},
                                         TBreakCase{"LoneLf", "a\nb\n", "a\r\nb\r\n"},
                                         TBreakCase{"LoneCr", "a\rb\r", "a\r\nb\r\n"},
                                         TBreakCase{"LfCrIsTwoBreaks", "a\n\rb", "a\r\n\r\nb"},
                                         TBreakCase{"CrCrLf", "a\r\r\nb", "a\r\n\r\nb"},
                                         TBreakCase{"Mixed", "a\nb\r\nc\rd", "a\r\nb\r\nc\r\nd"},
                                         TBreakCase{"NoFinalBreak", "a\r\nb", "a\r\nb"},
                                         TBreakCase{"OtherBytesKept", "caf\xE9\0\x01\n"s, "caf\xE9\0\x01\r\n"s}),
                         [](const auto& info) { return std::string(info.param.Name); });

struct TAppendCase {
  const char* Name;
  std::string Before, After;
};

class LogAppend : public testing::TestWithParam<TAppendCase> {};

TEST_P(LogAppend, NeverRunsLinesTogether) {
  TTripLog log;
  log.Edited(GetParam().Before);
  log.LogDirty = false;
  AppendLogLine(log, "new");
  EXPECT_EQ(log.Text(), GetParam().After);
  EXPECT_TRUE(log.LogDirty);
}

INSTANTIATE_TEST_SUITE_P(Cases, LogAppend,
                         testing::Values(TAppendCase{"EmptyText", "", "new\r\n"},
                                         TAppendCase{"EndsWithBreak", "a\r\n", "a\r\nnew\r\n"},
                                         TAppendCase{"EndsWithoutBreak", "a", "a\r\nnew"}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(LogAppendEmpty, AddsNothingAndChangesNothing) {
  TTripLog log;
  log.Edited("a");
  log.LogDirty = false;
  AppendLogLine(log, "");
  EXPECT_EQ(log.Text(), "a");
  EXPECT_FALSE(log.LogDirty);
}

class TripLogFile : public MonitorTestbed {
 protected:
  void SetUp() override {
    MonitorTestbed::SetUp();
    log_.LogPath = LogPathInProgramFolder();
    log_.SetChangeListener([this](TLogChange change) { changes_.push_back(change); });
  }

  // The message of the log error the action raises, "" when there is none.
  template <typename Action>
  static std::string ErrorOf(Action action) {
    try {
      action();
    } catch (const EMonitorError& error) {
      return error.what();
    }
    return "";
  }

  TTripLog log_;
  std::vector<TLogChange> changes_;
};

TEST_F(TripLogFile, LivesBesideTheProgram) { EXPECT_EQ(log_.LogPath, logPath_); }

TEST_F(TripLogFile, ALoadWithNothingNewChangesNothing) {
  struct TCase {
    const char* Name;
    bool Folder;
    const char* File;  // nullptr: none
    const char* Held;
  };
  for (const TCase c :
       {TCase{"no file", false, nullptr, "held"}, TCase{"a folder of that name", true, nullptr, "held"},
        TCase{"empty file, empty text", false, "", ""}, TCase{"same text after conversion", false, "a\nb", "a\r\nb"}}) {
    SCOPED_TRACE(c.Name);
    std::filesystem::remove_all(logPath_);
    if (c.Folder) std::filesystem::create_directory(logPath_);
    if (c.File) WriteBytes(logPath_, c.File);
    for (const bool dirty : {false, true}) {
      log_.Edited(c.Held);
      log_.LogDirty = dirty;
      changes_.clear();
      LoadLog(log_);
      EXPECT_EQ(log_.Text(), c.Held);
      EXPECT_EQ(log_.LogDirty, dirty);
      EXPECT_TRUE(changes_.empty());
    }
  }
}

// The text is then the file's: no edit that a save would have to write.
TEST_F(TripLogFile, ALoadOfDifferentTextReplacesItAndIsNoEdit) {
  WriteBytes(logPath_, "one\ntwo");
  log_.Edited("edited by the user\r\n");
  log_.LogDirty = false;
  LoadLog(log_);
  EXPECT_EQ(log_.Text(), "one\r\ntwo");
  EXPECT_FALSE(log_.LogDirty);
  EXPECT_EQ(changes_, std::vector<TLogChange>{TLogChange::Replaced});
}

TEST_F(TripLogFile, OddBytesGoThroughLoadAppendAndSaveUnchanged) {
  WriteBytes(logPath_, "caf\xE9 \x01\0\xFF\xFE\nlast"s);
  LoadLog(log_);
  AppendLogLine(log_, "line \xC4");
  SaveLog(log_);
  EXPECT_EQ(ReadBytes(logPath_), "caf\xE9 \x01\0\xFF\xFE\r\nlast\r\nline \xC4"s);
  EXPECT_FALSE(log_.LogDirty);
  EXPECT_EQ(changes_, (std::vector<TLogChange>{TLogChange::Replaced, TLogChange::Appended}));
}

TEST_F(TripLogFile, ASaveWritesTheTextByteForByte) {
  for (const std::string& text : {"a\r\nb"s, "a\r\n"s, ""s, "lone\nlf\rcr"s}) {
    SCOPED_TRACE(text);
    log_.Edited(text);
    SaveLog(log_);
    EXPECT_EQ(ReadBytes(logPath_), text);
    EXPECT_FALSE(log_.LogDirty);
  }
}

TEST_F(TripLogFile, AFolderNamedLikeTheLogCannotBeSaved) {
  std::filesystem::create_directory(logPath_);
  log_.Edited("text");
  EXPECT_EQ(ErrorOf([&] { SaveLog(log_); }), "Cannot create file \"" + logPath_ + "\". " + std::strerror(EISDIR));
  EXPECT_TRUE(log_.LogDirty);
}

TEST_F(TripLogFile, AFullDiskIsAStreamWriteError) {
  Platform::SetWriteStepHook([this](Platform::TWriteStep step) {
    if (step == Platform::TWriteStep::PartlyWritten) {
      throw Platform::EFileFailure(Platform::TFileStep::Write, logPath_, ENOSPC);
    }
  });
  log_.Edited("text");
  EXPECT_EQ(ErrorOf([&] { SaveLog(log_); }), "Stream write error");
  EXPECT_TRUE(log_.LogDirty);
}

// Nothing at the log's path may hold the start up: a pipe, an endless device
// or a huge file fails at once with a message that says what is wrong.
TEST_F(TripLogFile, ABadFileFailsToLoadAtOnce) {
  struct TCase {
    const char* Name;
    void (*Make)(const std::string& path);
    const char* Reason;
  };
  const TCase cases[] = {
      TCase{"pipe", [](const std::string& p) { ::mkfifo(p.c_str(), 0644); }, "Not a regular file"},
      TCase{"endless device", [](const std::string& p) { std::filesystem::create_symlink("/dev/zero", p); },
            "Not a regular file"},
      TCase{"beyond the limit",
            [](const std::string& p) {
              WriteBytes(p, "");
              std::filesystem::resize_file(p, TripLogLimit + 1);
            },
            "It is larger than 64 MiB, the most the trip log may hold"}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    std::filesystem::remove(logPath_);
    c.Make(logPath_);
    EXPECT_EQ(ErrorOf([&] { LoadLog(log_); }), "Cannot open file \"" + logPath_ + "\". " + c.Reason);
  }
}

TEST_F(TripLogFile, AnUnreadableLogCannotBeOpened) {
  WriteBytes(logPath_, "secret");
  GiveToUnprivilegedUser(logPath_);
  ::chmod(logPath_.c_str(), 0200);
  const TChildOutcome outcome = RunUnprivileged([&] {
    LoadLog(log_);
    return log_.Text();
  });
  EXPECT_EQ(outcome.Text, "Cannot open file \"" + logPath_ + "\". " + std::strerror(EACCES));
}

TEST_F(TripLogFile, AReadOnlyLogLoadsButCannotBeSaved) {
  WriteBytes(logPath_, "old\r\n");
  GiveToUnprivilegedUser(logPath_);
  ::chmod(logPath_.c_str(), 0444);
  const TChildOutcome outcome = RunUnprivileged([&] {
    LoadLog(log_);
    AppendLogLine(log_, "new");
    const std::string error = ErrorOf([&] { SaveLog(log_); });
    return log_.Text() + "|" + (log_.LogDirty ? "dirty|" : "clean|") + error;
  });
  EXPECT_EQ(outcome.Text, "old\r\nnew\r\n|dirty|Cannot create file \"" + logPath_ + "\". " + std::strerror(EACCES));
  EXPECT_EQ(ReadBytes(logPath_), "old\r\n");
}

TEST(MergedLogText, TheFileThenEveryLineOnlyTheWindowHas) {
  const struct {
    const char *name, *file, *window, *merged;
  } cases[] = {
      {"a note in the window, a line in the file", "a\r\nb\r\nfile's\r\n", "a\r\nb\r\nnote\r\n",
       "a\r\nb\r\nfile's\r\nnote\r\n"},
      {"a line deleted in the window stays", "a\r\nb\r\n", "a\r\nnote\r\n", "a\r\nb\r\nnote\r\n"},
      {"a line typed twice is kept twice", "a\r\n", "a\r\nx\r\nx\r\n", "a\r\nx\r\nx\r\n"},
      {"the file without a last break", "a\r\nb", "a\r\nnote", "a\r\nb\r\nnote\r\n"},
      {"nothing new in the window", "a\r\nb\r\n", "b\r\n", "a\r\nb\r\n"},
      {"an emptied file", "", "a\r\n", "a\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(MergedLogText(c.file, c.window), c.merged) << c.name;
}

// Which text the file gets at a save of the window's edits, by whether the
// window and another program changed the log, and what the user chose.
TEST_F(TripLogFile, NoEditIsLostWithoutAsking) {
  const std::string read = "2026-12-07 08:02  Program restart\r\n";
  const std::string byEditor = read + "typed in an editor\r\n";
  const struct {
    const char* name;
    bool windowEdited, fileChanged;
    std::optional<TLogChoice> choice;  // none: nobody to ask
    std::string written;
    bool asked;
  } cases[] = {
      {"no edits anywhere", false, false, TLogChoice::lcKeepWindow, read, false},
      {"only the file changed", false, true, TLogChoice::lcKeepWindow, byEditor, false},
      {"only the window edited", true, false, TLogChoice::lcTakeFile, read + "note\r\n", false},
      {"both, the window kept", true, true, TLogChoice::lcKeepWindow, read + "note\r\n", true},
      {"both, the file taken", true, true, TLogChoice::lcTakeFile, byEditor, true},
      {"both, nobody to ask", true, true, std::nullopt, byEditor + "note\r\n", false},
  };
  for (const auto& c : cases) {
    WriteBytes(logPath_, read);
    LoadLog(log_);
    log_.StartLines = {"2026-12-07 08:02  Program restart"};
    if (c.windowEdited) log_.Edited(read + "note\r\n");
    // A later modification time, as an editor's save would leave.
    if (c.fileChanged) WriteBytes(logPath_ + ".new", byEditor), std::filesystem::rename(logPath_ + ".new", logPath_);
    bool asked = false;
    const auto ask = [&] {
      asked = true;
      return *c.choice;
    };
    SaveLogEdits(log_, c.choice ? std::function<TLogChoice()>(ask) : nullptr);
    EXPECT_EQ(ReadBytes(logPath_), c.written) << c.name;
    EXPECT_EQ(asked, c.asked) << c.name;
    EXPECT_FALSE(log_.LogDirty) << c.name;
  }
}

// Taking the file's text never loses what this start wrote to the log.
TEST_F(TripLogFile, TakingTheFilesTextKeepsTheStartsLines) {
  WriteBytes(logPath_, "old\r\n");
  LoadLog(log_);
  AppendLogLine(log_, "2026-12-07 08:02  Program restart");
  log_.StartLines = {"2026-12-07 08:02  Program restart"};
  SaveLog(log_);
  log_.Edited(log_.Text() + "note\r\n");
  WriteBytes(logPath_ + ".new", "old\r\nan editor's stale copy\r\n");
  std::filesystem::rename(logPath_ + ".new", logPath_);
  SaveLogEdits(log_, [] { return TLogChoice::lcTakeFile; });
  EXPECT_EQ(ReadBytes(logPath_), "old\r\nan editor's stale copy\r\n2026-12-07 08:02  Program restart\r\n");
}

}  // namespace
