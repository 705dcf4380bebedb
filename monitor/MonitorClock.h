// The clock the monitor takes its checkpoint and start times from. It reads
// the local clock with the offset from UTC in force at that moment; tests
// put a clock of their own in its place.
#pragma once

#include <cstdint>
#include <functional>

#include "calendar/Cdatlib.h"

namespace Monitor {

// One reading: the local wall clock, and its offset from UTC then, which
// tells which pass of a repeated hour the reading was taken in.
struct TStampReading {
  Cdatlib::TCalDateTime Local;
  int64_t UtcOffsetSeconds = 0;
};

using TStampClock = std::function<TStampReading()>;

extern TStampClock MonitorClock;  // ReadStampClock at program start

TStampReading ReadStampClock();

// The real instant of a reading's minute, in seconds from 1970-01-01 UTC.
int64_t MomentOfReading(const TStampReading& reading);

}  // namespace Monitor
