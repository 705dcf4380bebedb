// The minute checkpoint: one WriteCheckpoint, flushes to disk included, in
// wall-clock time, since waiting for the disk is the cost.
#include <benchmark/benchmark.h>

#include <string>

#include "CheckpointFolder.h"
#include "monitor/CheckpointFile.h"

namespace {

void WriteCheckpoint(benchmark::State& state) {
  const std::string folder = Bench::PrepareCheckpointFolder();
  Monitor::WriteCheckpoint(Monitor::csRunning);  // the file exists, as after start-up
  for (auto _ : state) benchmark::DoNotOptimize(Monitor::WriteCheckpoint(Monitor::csRunning));
  Bench::RemoveCheckpointFolder(folder);
}

BENCHMARK(WriteCheckpoint)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
