// Tallyvane: tells its user when the computer last lost power.
#include "app/ProgramRun.h"
#include "calendar/Cdatlib.h"
#include "dialogs/cal/Cal.h"
#include "dialogs/inpstr/Inpstr.h"
#include "platform/DisplayEndWatch.h"
#include "platform/EndSignals.h"

int main(int argc, char** argv) {
  // Started again by its watcher after the program vanished: only the record.
  if (Platform::IsDisplayEndRun(argc, argv)) return RecordDisplayEnd();
  Platform::EndAtOnceOnEndSignals();
  // Module starts, before the first window.
  Cdatlib::Initialize();
  inpstr::Initialize();
  cal::Initialize();
  return RunProgram(argc, argv);
}
