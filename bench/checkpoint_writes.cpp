// Writes the start-up checkpoint and then a given number of minute
// checkpoints, and nothing else, so that a tracer (strace -c) can count the
// flushes of one checkpoint: the difference between two counts, divided.
//   checkpoint_writes COUNT
#include <cstdio>
#include <cstdlib>
#include <string>

#include "CheckpointFolder.h"
#include "monitor/CheckpointFile.h"

int main(int argc, char** argv) {
  const long count = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 10;
  const std::string folder = Bench::PrepareCheckpointFolder();
  Monitor::WriteCheckpoint(Monitor::csRunning);  // creates the file
  for (long i = 0; i < count; ++i) Monitor::WriteCheckpoint(Monitor::csRunning);
  Bench::RemoveCheckpointFolder(folder);
  std::printf("checkpoints=%ld\n", count);
  return 0;
}
