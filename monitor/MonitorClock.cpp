#include "monitor/MonitorClock.h"

#include <ctime>

#include "monitor/StampMinutes.h"
#include "monitor/ZoneTime.h"

namespace Monitor {

TStampClock MonitorClock = ReadStampClock;

TStampReading ReadStampClock() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  // The half-second step never names a later minute, so the offset of the
  // instant read is the offset of the stamp's minute.
  return {Cdatlib::StampOfReading(Cdatlib::ReadingOfInstant(now.tv_sec, now.tv_nsec)), UtcOffsetAt(now.tv_sec)};
}

int64_t MomentOfReading(const TStampReading& reading) {
  return MinutesOfDateTime(reading.Local) * 60 - reading.UtcOffsetSeconds;
}

}  // namespace Monitor
