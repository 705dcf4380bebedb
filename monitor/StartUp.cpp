#include "monitor/StartUp.h"

#include "calendar/Cdatlib.h"
#include "monitor/BootLine.h"
#include "monitor/MonitorClock.h"
#include "monitor/Verdict.h"

namespace Monitor {

int32_t PreviousStatus = csNeverRun;
std::string PreviousStampText;

namespace {

// year-month-day hour:minute, for the file and the log alike
constexpr Cdatlib::TStampStyle MonitorStampStyle = 2;

void AddToTripLog(TTripLog& log, const TStartVerdict& verdict) {
  LoadLog(log);
  AppendLogLine(log, verdict.PreviousRunLine);
  AppendLogLine(log, verdict.StartLine);
  SaveLog(log);
}

}  // namespace

void UseCheckpointFile() {
  Cdatlib::StampStyle = MonitorStampStyle;
  CheckpointPath = Cdatlib::ProgramFolder + "CHKPT.INI";
}

void StartMonitor(TMonitorWindow& window, TTripLog& log) {
  UseCheckpointFile();
  const TCheckpoint previous = ReadCheckpoint();
  PreviousStatus = previous.Status;
  PreviousStampText = previous.StampText;
  const std::string startText = Cdatlib::StampText(MonitorClock());
  const TStartVerdict verdict = JudgePreviousRun(PreviousStatus, PreviousStampText, startText);
  window.SetVerdictText(verdict.Label);
  if (PreviousStatus == csRunning) window.SetBootText(BootTimeLine(PreviousStampText, BootClock()));
  // The log is saved before the checkpoint is written: if the save fails,
  // the file still holds the previous run's checkpoint and the next start
  // gives the same verdict again.
  AddToTripLog(log, verdict);
  TakeCheckpoint(window, csRunning);
  window.StartCheckpointTimer(CheckpointIntervalMs);
}

void TakeCheckpoint(TMonitorWindow& window, TCheckpointStatus status) {
  window.SetCheckpointText("New checkpoint = " + WriteCheckpoint(status));
}

void RecordSessionEnd() {
  UseCheckpointFile();
  WriteCheckpoint(csNormalShutdown);
}

void CheckpointTimerTick(TMonitorWindow& window) { TakeCheckpoint(window, csRunning); }

bool CloseQueryCheckpoint(TMonitorWindow& window) {
  TakeCheckpoint(window, csNormalShutdown);
  return true;
}

}  // namespace Monitor
