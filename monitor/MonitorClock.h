// The clock the monitor takes its checkpoint and start times from. It reads
// the local clock; tests put a clock of their own in its place.
#pragma once

#include <functional>

#include "calendar/Cdatlib.h"

namespace Monitor {

using TStampClock = std::function<Cdatlib::TCalDateTime()>;

extern TStampClock MonitorClock;  // Cdatlib::NowStamp at program start

}  // namespace Monitor
