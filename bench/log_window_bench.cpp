// The Log command on a trip log with one 10 MB line and on a 64 MiB log of
// ordinary lines, on the offscreen platform: the time from the command to
// the painted window, and the longest turn of the event loop from then until
// the whole log is in the window, which is the longest a minute checkpoint
// or an end signal could wait.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <fstream>
#include <string>

#include "monitor/ui/Unit2.h"

namespace {

std::string OneLongLine() {
  std::string line;
  line.resize(10'000'000, 'x');
  return line + "\r\n";
}

std::string SixtyFourMiB() {
  std::string log;
  log.reserve(64u << 20);
  while (log.size() < (64u << 20) - 64) log += "2026-12-06 18:41  ABNORMAL PROGRAM END  checked by hand\r\n";
  return log;
}

void OpenLogWindow(benchmark::State& state, std::string (*makeLog)()) {
  QTemporaryDir folder;
  const std::string path = folder.filePath(QStringLiteral("triplog.txt")).toStdString();
  std::ofstream(path, std::ios::binary) << makeLog();
  double longestTurnMs = 0, filledMs = 0;
  for (auto _ : state) {
    TForm2 window;
    window.FillMemoWhenShown();
    window.Log.LogPath = path;
    QElapsedTimer clock;
    clock.start();
    window.ShowOrRaise();
    window.repaint();
    const qint64 openingNs = clock.nsecsElapsed();  // itself one turn of the event loop
    state.SetIterationTime(static_cast<double>(openingNs) / 1e9);

    // A timer that fires as often as it can: the gaps between its ticks
    // are the turns of the event loop.
    QElapsedTimer sinceTick;
    sinceTick.start();
    qint64 longestNs = openingNs;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
      longestNs = std::max(longestNs, sinceTick.nsecsElapsed());
      sinceTick.restart();
    });
    tick.start(0);
    while (window.Filling()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    filledMs = static_cast<double>(clock.elapsed());
    longestTurnMs = std::max(longestTurnMs, static_cast<double>(longestNs) / 1e6);
  }
  state.counters["longest_turn_ms"] = longestTurnMs;
  state.counters["whole_log_ms"] = filledMs;
}

BENCHMARK_CAPTURE(OpenLogWindow, OneLongLine, OneLongLine)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(OpenLogWindow, SixtyFourMiB, SixtyFourMiB)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
