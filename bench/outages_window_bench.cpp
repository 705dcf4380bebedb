// The Outages window on a 1 MB trip log of 20,000 lines, every start an
// abnormal end with its restart: the outages, summary and month counts read
// from the text, and the whole first opening (window built, filled, shown
// and painted) on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdio>
#include <memory>
#include <string>

#include "calendar/Cdatlib.h"
#include "monitor/Outages.h"
#include "monitor/ui/OutagesWindow.h"

namespace {

constexpr Cdatlib::TCalDateTime Now{{2027, 6, 15}, {12, 0, 0}};

// Lines as the monitor writes them, padded with a note to 50 characters.
std::string BigLog() {
  std::string log;
  char line[64];
  for (int i = 0; i < 10000; ++i) {
    const int year = 2000 + i / 336, month = i / 28 % 12 + 1, day = i % 28 + 1;
    std::snprintf(line, sizeof line, "%04d-%02d-%02d 18:41  ABNORMAL PROGRAM END  checked", year, month, day);
    log += std::string(line).append(50 - std::string(line).size(), ' ') + "\r\n";
    std::snprintf(line, sizeof line, "%04d-%02d-%02d 19:%02d  Program restart  checked", year, month, day, i % 60);
    log += std::string(line).append(50 - std::string(line).size(), ' ') + "\r\n";
  }
  return log;
}

const std::string& Log() {
  static const std::string log = BigLog();
  return log;
}

void ReadOutagesOfBigLog(benchmark::State& state) {
  for (auto _ : state) {
    const Monitor::TOutageRecord record = Monitor::ReadOutages(Log());
    benchmark::DoNotOptimize(Monitor::OutageSummary(record));
    benchmark::DoNotOptimize(Monitor::OutagesPerMonth(record, Now));
  }
  state.counters["bytes"] = static_cast<double>(Log().size());
}

void OpenOutagesWindow(benchmark::State& state) {
  for (auto _ : state) {
    auto window = std::make_unique<TFOutages>();
    window->ShowOutages(Log(), Now);
    window->show();
    window->repaint();
    QApplication::processEvents();
    state.PauseTiming();
    window.reset();
    QApplication::processEvents();
    state.ResumeTiming();
  }
}

BENCHMARK(ReadOutagesOfBigLog)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(OpenOutagesWindow)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
