// The checkpoint file CHKPT.INI beside the program: the status the latest
// run last reported and the time it did so, in section "main".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/SafeFile.h"

namespace Monitor {

enum TCheckpointStatus : int32_t {
  csNormalShutdown = 0,
  csRunning = 1,
  csNeverRun = 2  // what a read gives when there is no status; never written
};

extern std::string CheckpointPath;  // set once by the start-up sequence

struct TCheckpoint {
  int32_t Status;  // any value a hand-edited file holds, not only the three codes
  std::string StampText;
  bool Asleep = false;       // written as the computer went to sleep: TripSleep=1
  std::string OffsetText{};  // TripOffset: the offset from UTC StampText was taken in; empty in older files
};

// A missing file, or one without the keys, reads as csNeverRun and "". A file
// that is there but cannot be read (no permission, a folder, a pipe or a
// device, larger than any checkpoint) is no first run: throws EIniReadError.
TCheckpoint ReadCheckpoint();

// The status a TripStatus text stands for; csNeverRun when it is no number.
int32_t TripStatusOfText(std::string_view text);

// A checkpoint written and flushed beside the file, not yet in place, so
// that the start-up knows it can be written before it writes anything else.
class TPreparedCheckpoint {
 public:
  TPreparedCheckpoint(std::string stampText, Platform::TPreparedReplacement replacement)
      : StampText(std::move(stampText)), replacement_(std::move(replacement)) {}

  const std::string StampText;

  // Puts it in place. Throws EIniWriteError; the file then keeps the old pair.
  void Commit(Platform::TFolderFlush flush = Platform::TFolderFlush::Now);

 private:
  Platform::TPreparedReplacement replacement_;
};

// Status, time and offset from UTC of one clock reading, taken before the
// file is touched, and the sleep mark, as one replacement of the file: it
// holds the old values or the new ones, never some of each. Only the checkpoint taken as
// the computer goes to sleep writes the mark (TripSleep=1); every other one
// takes it out, so that a file without a sleep keeps its three lines.
// Throws EIniWriteError.
TPreparedCheckpoint PrepareCheckpoint(TCheckpointStatus status, bool asleep = false);

// Prepares and commits at once; returns the stamp text written.
std::string WriteCheckpoint(TCheckpointStatus status, bool asleep = false);

}  // namespace Monitor
