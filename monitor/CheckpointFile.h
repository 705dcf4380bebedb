// The checkpoint file CHKPT.INI beside the program: the status the latest
// run last reported and the time it did so, in section "main".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

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
};

// Never fails; a missing or unreadable file reads as csNeverRun and "".
TCheckpoint ReadCheckpoint();

// The status a TripStatus text stands for; csNeverRun when it is no number.
int32_t TripStatusOfText(std::string_view text);

// Writes the status, then the time of one clock reading taken before the
// file is touched, each key as its own update of the file, and returns the
// stamp text written. Throws EIniWriteError; when the stamp fails, the file
// holds the new status with the previous stamp.
std::string WriteCheckpoint(TCheckpointStatus status);

}  // namespace Monitor
