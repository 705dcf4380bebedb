#include "MonitorTestbed.h"

#include "monitor/BootLine.h"
#include "monitor/CheckpointFile.h"
#include "monitor/MonitorClock.h"
#include "monitor/StampMinutes.h"
#include "monitor/ZoneTime.h"
#include "platform/BootTime.h"
#include "platform/SafeFile.h"

namespace MonitorTest {

Cdatlib::TCalDateTime At(uint16_t year, uint16_t month, uint16_t day, uint16_t hour, uint16_t minute) {
  return {{year, month, day}, {hour, minute, 0}};
}

void MonitorTestbed::SetUp() {
  Cdatlib::Initialize();
  Cdatlib::StampStyle = 2;
  Cdatlib::ProgramFolder = folder_.Path() + "/";
  Monitor::CheckpointPath = checkpointPath_;
  Monitor::BootClock = [] { return std::optional<int64_t>(); };  // the machine's boot would vary the log
  ClockReads({At(2026, 12, 7, 8, 2)});
  Monitor::MonitorClock = [this] {
    ++readings_;
    const TTestReading now = times_.front();
    if (times_.size() > 1) times_.pop_front();
    const int64_t offset = now.UtcOffsetSeconds.value_or(
        Monitor::UtcOffsetAt(Monitor::RealSecondsOfWallMinute(Monitor::MinutesOfDateTime(now.Local))));
    return Monitor::TStampReading{now.Local, offset};
  };
}

void MonitorTestbed::TearDown() {
  Monitor::MonitorClock = Monitor::ReadStampClock;
  Monitor::BootClock = Platform::BootSeconds;
  Platform::SetWriteStepHook(nullptr);
  Cdatlib::Initialize();
}

void MonitorTestbed::ClockReads(std::deque<TTestReading> times) { times_ = std::move(times); }

}  // namespace MonitorTest
