// The Log command on a trip log with one 10 MB line and on a 64 MiB log of
// ordinary lines, on the offscreen platform: the time from the command to
// the painted window, and the longest turn of the event loop from then until
// the whole log is in the window, which is the longest a minute checkpoint
// or an end signal could wait. On the 64 MiB log also a one-line edit: the
// turn that saves it, and the longest turn while the copy of the unsaved
// log is kept for a display end.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>
#include <fstream>
#include <functional>
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

// The longest turn of the event loop while `going` holds, and `first`,
// already spent, counted as one: a timer that fires as often as it can
// marks the turns.
qint64 LongestTurnNs(qint64 first, const std::function<bool()>& going) {
  QElapsedTimer sinceTick;
  sinceTick.start();
  qint64 longestNs = first;
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, [&] {
    longestNs = std::max(longestNs, sinceTick.nsecsElapsed());
    sinceTick.restart();
  });
  tick.start(0);
  while (going()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  return std::max(longestNs, sinceTick.nsecsElapsed());  // the turn that ended it
}

void OpenLogWindow(benchmark::State& state, std::string (*makeLog)()) {
  QTemporaryDir folder;
  const std::string path = folder.filePath(QStringLiteral("triplog.txt")).toStdString();
  std::ofstream(path, std::ios::binary) << makeLog();
  double longestTurnMs = 0, filledMs = 0;
  for (auto _ : state) {
    TForm2 window;
    window.Log.LogPath = path;
    QElapsedTimer clock;
    clock.start();
    window.ShowOrRaise();
    window.repaint();
    const qint64 openingNs = clock.nsecsElapsed();  // itself one turn of the event loop
    state.SetIterationTime(static_cast<double>(openingNs) / 1e9);

    const qint64 longestNs = LongestTurnNs(openingNs, [&] { return window.Filling(); });
    filledMs = static_cast<double>(clock.elapsed());
    longestTurnMs = std::max(longestTurnMs, static_cast<double>(longestNs) / 1e6);
  }
  state.counters["longest_turn_ms"] = longestTurnMs;
  state.counters["whole_log_ms"] = filledMs;
}

// A line typed in the middle of the filled log, kept and then saved.
void SaveAfterOneLineEdit(benchmark::State& state) {
  QTemporaryDir folder;
  const std::string path = folder.filePath(QStringLiteral("triplog.txt")).toStdString();
  std::ofstream(path, std::ios::binary) << SixtyFourMiB();
  TForm2 window;
  Platform::TPendingBytes unsaved;
  window.KeepUnsavedIn(&unsaved);
  window.Log.LogPath = path;
  window.ShowOrRaise();
  while (window.Filling()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  double keepMs = 0, bytesMs = 0;
  for (auto _ : state) {
    QTextDocument* document = window.Memo1->document();
    QTextCursor(document->findBlockByNumber(document->blockCount() / 2)).insertText(QStringLiteral("checked "));
    QElapsedTimer kept;
    kept.start();
    keepMs = std::max(keepMs, static_cast<double>(LongestTurnNs(0, [&] { return kept.elapsed() < 1000; })) / 1e6);
    QTextCursor(document->findBlockByNumber(document->blockCount() / 3)).insertText(QStringLiteral("checked "));
    // The save's turn: the text turned into bytes, then written.
    QElapsedTimer clock;
    clock.start();
    window.Log.Text();
    bytesMs = std::max(bytesMs, static_cast<double>(clock.nsecsElapsed()) / 1e6);
    window.FormCloseQuery();
    state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
  }
  state.counters["keep_turn_ms"] = keepMs;
  state.counters["to_bytes_ms"] = bytesMs;
}

BENCHMARK_CAPTURE(OpenLogWindow, OneLongLine, OneLongLine)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(OpenLogWindow, SixtyFourMiB, SixtyFourMiB)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(SaveAfterOneLineEdit)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
