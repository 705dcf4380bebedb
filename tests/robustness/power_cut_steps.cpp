// Power cuts at every step of a checkpoint: runs the real program once to
// count the system calls that its start-up and its end (SIGTERM) make on its
// two files and their folder, then once per call with a cut right before
// that call, each from the same folder, and judges what every cut leaves.
// Once in a folder that takes new files, once (as root only) in a folder
// that does not while its files stay writable, run as the unprivileged user.
// In the first, also an end signal before each call of the start-up.
//
//   power_cut_steps PROGRAM
//
// Prints the damage of each cut; exits 0 only when no cut left any.
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "CutJudge.h"
#include "FolderState.h"
#include "StepCuts.h"

namespace {

using namespace PowerCut;

const std::string ProgramName = "tallyvane";
const std::string Checkpoint = "[main]\r\nTripStatus=0\r\nTripTS=2026-12-06 18:41\r\n";
const std::string Log = "a line from before the cut\r\n";

// The folder as every run finds it.
void ResetFolder(const std::string& folder, bool closed) {
  ::chmod(folder.c_str(), 0755);
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().filename() != ProgramName) std::filesystem::remove(entry.path());
  }
  std::ofstream(folder + "/CHKPT.INI", std::ios::binary) << Checkpoint;
  std::ofstream(folder + "/triplog.txt", std::ios::binary) << Log;
  if (!closed) return;
  for (const char* name : {"CHKPT.INI", "triplog.txt"}) {
    if (::chown((folder + "/" + name).c_str(), 65534, 65534) != 0) throw std::runtime_error("chown failed");
  }
  ::chmod(folder.c_str(), 0555);
}

int CutEveryStep(const std::string& program, bool closed) {
  std::string folder = "/tmp/tallyvane-powercut-steps-XXXXXX";
  if (::mkdtemp(folder.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  ::chmod(folder.c_str(), 0755);
  std::filesystem::copy_file(program, folder + "/" + ProgramName);
  const char* where = closed ? "a folder that takes no new file" : "an open folder";

  ResetFolder(folder, closed);
  int startCalls = 0;
  const TStepRun whole = RunWithCut(folder, {.Unprivileged = closed}, &startCalls);
  const TFolderState ended = ReadFolderState(folder, ProgramName);
  if (whole.ExitCode != 0 || startCalls < 10 || CheckpointKeysOf(ended.Checkpoint.Bytes).Status != "0") {
    std::printf("FAILED in %s: a whole run made %d calls at its start, %d in all, and ended with %d\n", where,
                startCalls, whole.Calls, whole.ExitCode);
    return 1;
  }
  int damaged = 0;
  for (int cut = 1; cut <= whole.Calls; ++cut) {
    ResetFolder(folder, closed);
    const TFolderState before = ReadFolderState(folder, ProgramName);
    const TStepRun run = RunWithCut(folder, {.CutAt = cut, .EndAfter = startCalls, .Unprivileged = closed});
    const TFolderState after = ReadFolderState(folder, ProgramName);
    TTempAges temps;
    TCutJudgement judgement = cut <= startCalls ? JudgeCut(before, after, temps) : JudgeEndCut(before, after);
    if (!run.Cut) judgement.Damage.emplace_back("the run ended before call " + std::to_string(cut));
    if (judgement.Damage.empty()) continue;
    ++damaged;
    std::printf("cut before call %d of %d (%s) left damage:\n", cut, whole.Calls,
                cut <= startCalls ? "start-up" : "end");
    for (const std::string& item : judgement.Damage) std::printf("  %s\n", item.c_str());
  }
  std::printf("%s: %d cuts, %d in the start-up, %d damaged\n", where, whole.Calls, startCalls, damaged);
  // An end signal at each step of the start-up: before it writes, the run
  // ends at once with exit code 1 and both files as they were; once it
  // writes, the run starts and then ends normally.
  int atOnce = 0, normalEnds = 0;
  for (int step = 1; step <= startCalls && !closed; ++step) {
    ResetFolder(folder, closed);
    const TFolderState before = ReadFolderState(folder, ProgramName);
    const TStepRun run = RunWithCut(folder, {.CutAt = step, .CutSignal = SIGTERM});
    const TFolderState after = ReadFolderState(folder, ProgramName);
    const bool untouched = after.Checkpoint.Bytes == before.Checkpoint.Bytes && after.Log.Bytes == before.Log.Bytes;
    const bool endedNormally = CheckpointKeysOf(after.Checkpoint.Bytes).Status == "0" && after.Log.Bytes != Log;
    atOnce += run.ExitCode == 1 && untouched;
    normalEnds += run.ExitCode == 0 && endedNormally;
    if ((run.ExitCode == 1 && untouched) || (run.ExitCode == 0 && endedNormally)) continue;
    ++damaged;
    std::printf("SIGTERM before call %d: exit code %d, files %s\n", step, run.ExitCode,
                untouched ? "untouched" : "changed");
  }
  if (!closed) std::printf("end signals in the start-up: %d ended it at once, %d waited for its end\n", atOnce, normalEnds);
  ::chmod(folder.c_str(), 0755);
  if (damaged == 0) std::filesystem::remove_all(folder);
  return damaged == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s PROGRAM\n", argv[0]);
    return 2;
  }
  try {
    int failed = CutEveryStep(argv[1], false);
    if (::geteuid() == 0) {
      failed |= CutEveryStep(argv[1], true);
    } else {
      std::printf("the closed folder needs root to run the program as another user: skipped\n");
    }
    std::printf("%s\n", failed == 0 ? "PASSED" : "FAILED");
    return failed;
  } catch (const std::exception& error) {
    std::printf("FAILED: %s\n", error.what());
    return 1;
  }
}
