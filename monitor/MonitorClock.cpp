#include "monitor/MonitorClock.h"

namespace Monitor {

TStampClock MonitorClock = Cdatlib::NowStamp;

}  // namespace Monitor
