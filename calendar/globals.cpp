// The module state of Cdatlib and the module start that resets it.
#include "calendar/Cdatlib.h"

namespace Cdatlib {

const uint16_t StandardMonthLengths[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Start values are spelled out so that the library is usable before, and
// without, Initialize(): 1752 is a Julian leap year, so the module start's
// SetTransition leaves February at 29 in MonthLengths.
TStampStyle StampStyle = 1;
char PadChar = '0';
TCalDate LastJulianDay = {1752, 9, 2};
TCalDate FirstGregorianDay = {1752, 9, 14};
int32_t LastJulianDayNumber = 639798;
uint16_t MonthLengths[13] = {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
bool CloseOnPick = false;
std::string ProgramFolder = SplitPath(RunningProgramPath()).Folder;

void Initialize() {
  StampStyle = 1;
  PadChar = '0';
  ApplyTransition(DateFromIsoText("1752-09-02"), DateFromIsoText("1752-09-14"));
  CloseOnPick = false;
  ProgramFolder = SplitPath(RunningProgramPath()).Folder;
}

}  // namespace Cdatlib
