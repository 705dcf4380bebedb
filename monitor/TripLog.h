// The trip log: triplog.txt beside the program, and its working copy, the
// text the log window shows and edits. The text is bytes with CR LF breaks.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileIdentity.h"

namespace Monitor {

// The most the trip log file may hold: a larger one fails to load, with a
// message that says so, rather than holding the start up.
inline constexpr std::size_t TripLogLimit = std::size_t{64} * 1024 * 1024;

// How the text changed, so that a view showing it can follow: after a
// replacement it shows the start of the text, after an append the end.
enum class TLogChange { Replaced, Appended };

class TTripLog {
 public:
  std::string LogPath;    // the file; set when the log window is created
  bool LogDirty = false;  // the text changed since the last successful save, or since it was read
  // The file as the text was last read from it or written to it: another
  // program's edit since then shows as a change.
  Platform::TFileIdentity OnDisk;
  // The lines this run's start added, which no choice of texts may lose.
  std::vector<std::string> StartLines;

  // Edits the view holds and has not yet given are taken first.
  const std::string& Text() const;

  // The user edited the text in the window; the view already shows it.
  void Edited(std::string text);

  // The same, where turning the view's text into bytes on every key would
  // cost too much for a long log: the bytes are asked of the view (through
  // the edit source, which brings the text as it was before the edits up
  // to date) only when the text is next needed.
  void EditedInView();
  void SetEditSource(std::function<void(std::string& text)> source);

  // The text is in the file: LogDirty is cleared and the listener told.
  void Saved();
  void SetSaveListener(std::function<void()> listener);

  // Changes made by the log operations; the listener is told of each.
  void Replace(std::string text);
  void Append(std::string_view bytes);
  void SetChangeListener(std::function<void(TLogChange)> listener);

 private:
  void Changed(TLogChange change);

  mutable std::string text_;
  mutable bool editsInView_ = false;
  std::function<void(std::string&)> editSource_;
  std::function<void(TLogChange)> listener_;
  std::function<void()> saveListener_;
};

// ProgramFolder followed by "triplog.txt".
std::string LogPathInProgramFolder();

// When a file (not a folder) is at LogPath, its text with CR LF breaks
// replaces the log's text, unless the two are equal: then nothing changes
// and LogDirty keeps its value. A text taken from the file is no edit:
// LogDirty is cleared. Throws EFileOpenError (also for a pipe, a device or
// a file beyond TripLogLimit), EStreamReadError.
void LoadLog(TTripLog& log);

// Adds the line as the new last line; an empty line adds nothing.
void AppendLogLine(TTripLog& log, std::string_view line);

// Writes the text byte for byte as the whole file, then clears LogDirty.
// Where the folder takes no new file, only a text that begins with the
// file's bytes can be written: the rest is appended. Throws
// EFileCreateError, EStreamWriteError; the file then keeps its old content
// and LogDirty its value.
void SaveLog(TTripLog& log);

// Another program wrote, replaced or removed the file since the log's text
// was read from it or written to it.
bool LogFileChanged(const TTripLog& log);

// With edits on both sides and nobody to choose: the file's text, then each
// line of the window's text that the file does not have (as often as the
// window has it more often), so that nothing either side wrote is lost.
std::string MergedLogText(std::string_view fileText, std::string_view windowText);

// Which text wins when both the window and another program changed the log.
enum class TLogChoice { lcKeepWindow, lcTakeFile };

// Saves the window's edits: without edits nothing is written. When the file
// changed too, ask decides: the window's text is written, or the file's is
// taken (with the start lines it lacks, which are then written). With no
// ask (an end with nobody to ask), both are kept (MergedLogText). Throws as
// LoadLog and SaveLog.
void SaveLogEdits(TTripLog& log, const std::function<TLogChoice()>& ask);

}  // namespace Monitor
