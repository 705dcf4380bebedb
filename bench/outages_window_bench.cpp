// The Outages window on a 1 MB trip log of 20,000 lines, every start an
// abnormal end with its restart: the outages, summary and month counts read
// from the text, and the whole first opening (window built, filled, shown
// and painted) on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>
#include <string>

#include "calendar/Cdatlib.h"
#include "monitor/Outages.h"
#include "monitor/ui/OutagesWindow.h"

namespace {

constexpr Cdatlib::TCalDateTime Now{{2027, 6, 15}, {12, 0, 0}};

// Lines as the monitor writes them, padded with a note to 50 characters.
std::string LogLine(std::string text) {
  text.resize(50, ' ');
  return text + "\r\n";
}

std::string BigLog() {
  std::string log;
  for (int i = 0; i < 10000; ++i) {
    const int year = 2000 + i / 336, month = i / 28 % 12 + 1, day = i % 28 + 1;
    const std::string date =
        Cdatlib::IsoDateText({static_cast<uint16_t>(year), static_cast<uint16_t>(month), static_cast<uint16_t>(day)});
    log += LogLine(date + " 18:41  ABNORMAL PROGRAM END  checked");
    log += LogLine(date + " 19:" + Cdatlib::PadNumber(i % 60, 2) + "  Program restart  checked");
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
