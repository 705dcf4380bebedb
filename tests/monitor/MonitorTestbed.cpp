#include "MonitorTestbed.h"

#include "monitor/BootLine.h"
#include "monitor/CheckpointFile.h"
#include "monitor/MonitorClock.h"
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
    const Cdatlib::TCalDateTime now = times_.front();
    if (times_.size() > 1) times_.pop_front();
    return now;
  };
}

void MonitorTestbed::TearDown() {
  Monitor::MonitorClock = Cdatlib::NowStamp;
  Monitor::BootClock = Platform::BootSeconds;
  Platform::SetWriteStepHook(nullptr);
  Cdatlib::Initialize();
}

void MonitorTestbed::ClockReads(std::deque<Cdatlib::TCalDateTime> times) { times_ = std::move(times); }

}  // namespace MonitorTest
