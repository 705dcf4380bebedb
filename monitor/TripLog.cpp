#include "monitor/TripLog.h"

#include <cerrno>
#include <optional>

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

void LoadLog(TTripLog& log) {
  std::optional<std::string> file = ReadLogFile(log.LogPath);
  if (!file) return;
  std::string text = WithCrLfBreaks(std::move(*file));
  if (text != log.Text()) log.Replace(std::move(text));
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
  log.Saved();
}

}  // namespace Monitor
