#include "monitor/TripLog.h"

#include <cerrno>
#include <optional>
#include <unordered_map>

#include "calendar/Cdatlib.h"
#include "monitor/LineBreaks.h"
#include "monitor/MonitorErrors.h"
#include "platform/FileFailure.h"
#include "platform/FileReading.h"
#include "platform/SafeFile.h"
#include "platform/TextLines.h"

namespace Monitor {

namespace {

using Platform::CrLf;
// Notes typed into a long log then go into its text where it is, without a
// copy of the whole log.
constexpr std::size_t RoomToEdit = std::size_t{1} << 20;

// Nothing when no file is there; a folder of that name counts as none.
std::optional<std::string> ReadLogFile(const std::string& path) {
  try {
    return Platform::ReadWholeFile(path, TripLogLimit, RoomToEdit);
  } catch (const Platform::EFileFailure& failure) {
    if (failure.Step() == Platform::TFileStep::Read) throw EStreamReadError();
    if (failure.Code() == ENOENT || failure.Code() == EISDIR) return std::nullopt;
    if (failure.Is(Platform::TFileProblem::TooLarge)) {
      throw EFileOpenError(path, "It is larger than 64 MiB, the most the trip log may hold");
    }
    throw EFileOpenError(path, failure.Reason());
  }
}

// Where no new file can be made beside the log, its new lines are appended
// to it; it is never emptied to be written again.
void WriteLogFile(const std::string& path, std::string_view text) {
  try {
    Platform::ReplaceFileContent(path, text, Platform::TInPlaceRewrite::AppendOnly);
  } catch (const Platform::EFileFailure& failure) {
    if (failure.Step() == Platform::TFileStep::Write) throw EStreamWriteError();
    throw EFileCreateError(path, failure.Reason());
  }
}

}  // namespace

const std::string& TTripLog::Text() const {
  if (editsInView_) {
    editsInView_ = false;
    editSource_(text_);
  }
  return text_;
}

void TTripLog::Edited(std::string text) {
  text_ = std::move(text);
  editsInView_ = false;
  LogDirty = true;
}

void TTripLog::EditedInView() {
  editsInView_ = static_cast<bool>(editSource_);
  LogDirty = true;
}

void TTripLog::SetEditSource(std::function<void(std::string&)> source) {
  Text();
  editSource_ = std::move(source);
}

void TTripLog::Saved() {
  LogDirty = false;
  if (saveListener_) saveListener_();
}

void TTripLog::SetSaveListener(std::function<void()> listener) { saveListener_ = std::move(listener); }

void TTripLog::Replace(std::string text) {
  text_ = std::move(text);
  editsInView_ = false;
  Changed(TLogChange::Replaced);
}

void TTripLog::Append(std::string_view bytes) {
  Text();
  text_.append(bytes);
  Changed(TLogChange::Appended);
}

void TTripLog::SetChangeListener(std::function<void(TLogChange)> listener) { listener_ = std::move(listener); }

void TTripLog::Changed(TLogChange change) {
  LogDirty = true;
  if (listener_) listener_(change);
}

std::string LogPathInProgramFolder() { return Cdatlib::ProgramFolder + "triplog.txt"; }

namespace {

bool HasLine(std::string_view text, std::string_view line) {
  bool found = false;
  Platform::ForEachLine(text, [&](std::string_view each) { found = found || each == line; });
  return found;
}

// The start lines that the text lacks are added again; true when one was.
bool KeepStartLines(TTripLog& log) {
  bool added = false;
  for (const std::string& line : log.StartLines) {
    if (HasLine(log.Text(), line)) continue;
    AppendLogLine(log, line);
    added = true;
  }
  return added;
}

// The file's text now, and the file as it was read.
std::optional<std::string> ReadLogNow(TTripLog& log, Platform::TFileIdentity& identity) {
  std::optional<std::string> file = ReadLogFile(log.LogPath);
  identity = Platform::IdentityOf(log.LogPath);
  if (file) *file = WithCrLfBreaks(std::move(*file));
  return file;
}

}  // namespace

void LoadLog(TTripLog& log) {
  Platform::TFileIdentity identity;
  std::optional<std::string> file = ReadLogNow(log, identity);
  if (!file) return;
  log.OnDisk = identity;
  if (*file == log.Text()) return;
  log.Replace(std::move(*file));
  log.LogDirty = false;  // the text is the file's, no edit
}

void AppendLogLine(TTripLog& log, std::string_view line) {
  if (line.empty()) return;
  const std::string& text = log.Text();
  if (text.empty() || text.ends_with(CrLf)) {
    log.Append(std::string(line).append(CrLf));
  } else {
    log.Append(std::string(CrLf).append(line));
  }
}

void SaveLog(TTripLog& log) {
  WriteLogFile(log.LogPath, log.Text());
  log.OnDisk = Platform::IdentityOf(log.LogPath);
  log.Saved();
}

bool LogFileChanged(const TTripLog& log) { return Platform::IdentityOf(log.LogPath) != log.OnDisk; }

std::string MergedLogText(std::string_view fileText, std::string_view windowText) {
  std::unordered_map<std::string_view, std::size_t> inFile;
  Platform::ForEachLine(fileText, [&](std::string_view line) { ++inFile[line]; });
  std::string merged(fileText);
  Platform::ForEachLine(windowText, [&](std::string_view line) {
    std::size_t& left = inFile[line];
    if (left > 0) {
      --left;
      return;
    }
    if (!merged.empty() && !merged.ends_with(CrLf)) merged.append(CrLf);
    merged.append(line).append(CrLf);
  });
  return merged;
}

void SaveLogEdits(TTripLog& log, const std::function<TLogChoice()>& ask) {
  if (!log.LogDirty) return;
  if (LogFileChanged(log)) {
    Platform::TFileIdentity identity;
    std::optional<std::string> file;
    try {
      file = ReadLogNow(log, identity);
    } catch (const EMonitorError&) {
      // A file that cannot be read now cannot be taken either: the save
      // below says what is wrong with it.
    }
    if (file && ask && ask() == TLogChoice::lcTakeFile) {
      log.Replace(*file);
      log.OnDisk = identity;
      log.LogDirty = false;
      if (KeepStartLines(log)) SaveLog(log);
      return;
    }
    if (file && !ask) log.Replace(MergedLogText(*file, log.Text()));
  }
  SaveLog(log);
}

}  // namespace Monitor
