// Tallyvane: tells its user when the computer last lost power.
#include "app/ProgramRun.h"
#include "app/TApplication.h"
#include "calendar/Cdatlib.h"

int main(int argc, char** argv) {
  Cdatlib::Initialize();
  TApplication app(argc, argv);
  return RunProgram(app);
}
