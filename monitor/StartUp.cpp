#include "monitor/StartUp.h"

#include "calendar/Cdatlib.h"
#include "monitor/BootLine.h"
#include "monitor/CutStart.h"
#include "monitor/MonitorClock.h"
#include "monitor/Verdict.h"
#include "monitor/ZoneTime.h"
#include "platform/EndSignals.h"
#include "platform/SafeFile.h"

namespace Monitor {

int32_t PreviousStatus = csNeverRun;
std::string PreviousStampText;

namespace {

// year-month-day hour:minute, for the file and the log alike
constexpr Cdatlib::TStampStyle MonitorStampStyle = 2;

void AddToTripLog(TTripLog& log, const TStartVerdict& verdict, const std::string& bootLogLine) {
  log.StartLines.clear();
  for (const std::string& line : {verdict.PreviousRunLine, verdict.StartLine, bootLogLine}) {
    AppendLogLine(log, line);
    if (!line.empty()) log.StartLines.push_back(line);
  }
}

void ShowCheckpoint(TMonitorWindow& window, const std::string& stampText) {
  window.SetCheckpointText("New checkpoint = " + stampText);
}

}  // namespace

void UseCheckpointFile() {
  Cdatlib::StampStyle = MonitorStampStyle;
  CheckpointPath = Cdatlib::ProgramFolder + "CHKPT.INI";
}

void StartMonitor(TMonitorWindow& window, TTripLog& log) {
  UseCheckpointFile();
  const TCheckpoint onDisk = ReadCheckpoint();
  LoadLog(log);
  const TCheckpoint previous = CheckpointToJudge(onDisk, log.Text());
  PreviousStatus = previous.Status;
  PreviousStampText = previous.StampText;
  const TStampReading now = MonitorClock();
  const std::string startText = Cdatlib::StampText(now.Local);
  const TBootReading boot =
      PreviousStatus == csRunning
          ? ReadBootTime(MomentOfStamp(previous.StampText, previous.OffsetText), MomentOfReading(now), BootClock())
          : TBootReading{};
  // The sleep mark is believed only where the boot bears it out: after a
  // kill between the wake-up and the next checkpoint the computer kept
  // running, and the end was an ordinary one.
  const bool diedAsleep = previous.Asleep && boot.Finding == bfStartedAgain;
  const TStartVerdict verdict = JudgePreviousRun(PreviousStatus, PreviousStampText, startText, diedAsleep);
  window.SetVerdictText(verdict.Label);
  const std::string bootLine = BootTimeLine(boot, diedAsleep);
  if (PreviousStatus == csRunning) window.SetBootText(bootLine);
  AddToTripLog(log, verdict, bootLine.empty() ? "" : startText + "  " + bootLine);
  // Nothing is written unless both files can be: the checkpoint is made
  // ready beside its file first, then the log is saved, then the checkpoint
  // is put in place. A start that fails leaves both files as they were, so
  // failed starts add no verdicts of their own to the log.
  Platform::StartUpWritesBegin();
  TPreparedCheckpoint checkpoint = PrepareCheckpoint(csRunning);
  SaveLog(log);
  // The window need not wait for the checkpoint's folder flush (FinishStart):
  // a power cut before it leaves the previous checkpoint beside a log that
  // holds this start, a start cut short that the next start recognises.
  checkpoint.Commit(Platform::TFolderFlush::Later);
  ShowCheckpoint(window, checkpoint.StampText);
  window.StartCheckpointTimer(CheckpointIntervalMs);
}

void FinishStart() { Platform::FlushDueFolder(); }

void TakeCheckpoint(TMonitorWindow& window, TCheckpointStatus status, bool asleep) {
  ShowCheckpoint(window, WriteCheckpoint(status, asleep));
}

void RecordSessionEnd() {
  UseCheckpointFile();
  WriteCheckpoint(csNormalShutdown);
}

void CheckpointTimerTick(TMonitorWindow& window) { TakeCheckpoint(window, csRunning); }

void SleepCheckpoint(TMonitorWindow& window) { TakeCheckpoint(window, csRunning, true); }

bool CloseQueryCheckpoint(TMonitorWindow& window) {
  TakeCheckpoint(window, csNormalShutdown);
  return true;
}

}  // namespace Monitor
