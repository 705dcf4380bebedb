// The monitor's life cycle: the start-up sequence that judges the previous
// run, and the checkpoints written at start-up, every minute and at close.
#pragma once

#include <cstdint>
#include <string>

#include "monitor/CheckpointFile.h"
#include "monitor/MonitorWindow.h"
#include "monitor/TripLog.h"

namespace Monitor {

// The pair StartMonitor judged: the checkpoint file's, or the start of a
// run cut before its checkpoint was in place (CheckpointToJudge). Set once;
// the checkpoints of this run never change them.
extern int32_t PreviousStatus;
extern std::string PreviousStampText;

inline constexpr int CheckpointIntervalMs = 60000;

// The checkpoint file beside the program, with stamps in the monitor's form.
void UseCheckpointFile();

// Runs once, after the windows exist and before the event loop: reads the
// previous checkpoint and the trip log, shows the verdict (after an
// abnormal end with what the boot time says), adds both to the trip log
// and saves the log, writes the first checkpoint and starts the minute
// timer. Every error passes to the caller, which ends the program; the log
// is saved only once the checkpoint is known to be writable, so a failed
// start leaves both files as they were.
void StartMonitor(TMonitorWindow& window, TTripLog& log);

// Once the window is shown: makes the start-up checkpoint last on disk.
void FinishStart();

// Writes a checkpoint and shows its time in the window; when the write
// fails, the error passes to the caller and the window keeps its text.
void TakeCheckpoint(TMonitorWindow& window, TCheckpointStatus status, bool asleep = false);

// The normal end written for a run that the session ended without a word,
// from outside the program's windows.
void RecordSessionEnd();

// The main window's timer tick, and the checkpoint at a wake-up.
void CheckpointTimerTick(TMonitorWindow& window);

// As the computer goes to sleep: a running checkpoint marked asleep. The
// minute timer stands still in the sleep, so a power loss then leaves this
// one on disk, and the next start can tell that the end came in the sleep.
void SleepCheckpoint(TMonitorWindow& window);

// The main window's close query: the normal-shutdown checkpoint. Returns
// true, the close may go on; when the write fails, it throws instead.
bool CloseQueryCheckpoint(TMonitorWindow& window);

}  // namespace Monitor
