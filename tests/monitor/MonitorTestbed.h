// A program folder of its own for each monitor test, a clock that gives the
// times the test names, and a main window that records what it was told.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "calendar/Cdatlib.h"
#include "monitor/MonitorWindow.h"
#include "support/TempFolder.h"
#include "support/TimeZone.h"

namespace MonitorTest {

Cdatlib::TCalDateTime At(uint16_t year, uint16_t month, uint16_t day, uint16_t hour, uint16_t minute);

class TRecordingWindow : public Monitor::TMonitorWindow {
 public:
  void SetVerdictText(const std::string& text) override { Verdicts.push_back(text); }
  void SetCheckpointText(const std::string& text) override { Checkpoints.push_back(text); }
  void SetBootText(const std::string& text) override { BootLines.push_back(text); }
  void StartCheckpointTimer(int intervalMs) override { TimerStarts.push_back(intervalMs); }

  std::vector<std::string> Verdicts, Checkpoints, BootLines;
  std::vector<int> TimerStarts;
};

class MonitorTestbed : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The clock gives these times one per reading, and the last one after that.
  // Wall-clock times read in turn, the last again and again. Each reading's
  // offset from UTC is the zone's at that time (the earlier pass of a
  // repeated hour), or the one given.
  struct TTestReading {
    Cdatlib::TCalDateTime Local;
    std::optional<int64_t> UtcOffsetSeconds;
    TTestReading(Cdatlib::TCalDateTime local,
                 std::optional<int64_t> offset = std::nullopt)  // NOLINT: a time is a reading
        : Local(local), UtcOffsetSeconds(offset) {}
  };
  void ClockReads(std::deque<TTestReading> times);
  int ClockReadings() const { return readings_; }

  // Checkpoints keep the offset of their zone: one zone for every test that
  // names none, with an offset that shows.
  TestSupport::TTimeZone zone_{"Europe/Berlin"};
  TestSupport::TTempFolder folder_;
  const std::string checkpointPath_ = folder_ / "CHKPT.INI";
  const std::string logPath_ = folder_ / "triplog.txt";

 private:
  std::deque<TTestReading> times_;
  int readings_ = 0;
};

}  // namespace MonitorTest
