// Power cuts at every step of a checkpoint: runs the real program once to
// count the system calls that its start-up and its end (SIGTERM) make on its
// two files and their folder, then once after each call that may change
// them, with a cut right before the next call, each from the same folder,
// and judges what every cut leaves.
// Each scenario of the table below is one such folder: a start after one
// that was cut before its checkpoint, in a folder that takes new files and
// (as root only) in one that does not while its files stay writable, run as
// the unprivileged user; and first starts. In the first, also an end signal
// before each call of the start-up.
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
#include <optional>
#include <string>
#include <vector>

#include "CutJudge.h"
#include "FolderState.h"
#include "StepCuts.h"

namespace {

using namespace PowerCut;

const std::string ProgramName = "tallyvane";
const std::string Checkpoint = "[main]\r\nTripStatus=0\r\nTripTS=2026-12-06 18:41\r\n";
const std::string Log = "a line from before the cut\r\n";
// The lines of a start that was cut after its log save, before its checkpoint
// was in place: the start under test judges it as the run that ended abnormally.
const std::string LogOfACutStart =
    Log + "2026-12-06 18:41  Normal program shutdown\r\n2026-12-07 06:50  Program restart\r\n";

struct TScenario {
  const char* Name;
  std::optional<std::string> Checkpoint, Log;  // none: no such file
  bool Closed;                                 // a folder that takes no new file, run as the unprivileged user
  bool EndSignals;                             // also an end signal before each call of the start-up
  bool EndCuts;                                // also the cuts in the normal end that follows the start
};

// A first start has no checkpoint to write in place, so it cannot start in a
// closed folder. How end signals are met, and how the end writes its
// checkpoint over the start's, do not depend on what the start found.
const TScenario Scenarios[] = {
    {"an open folder after a cut start", Checkpoint, LogOfACutStart, false, true, true},
    {"a first start", std::nullopt, std::nullopt, false, false, false},
    {"a first start beside an old log", std::nullopt, Log, false, false, false},
    {"a folder that takes no new file, after a cut start", Checkpoint, LogOfACutStart, true, false, true},
};

// The folder as every run of the scenario finds it.
void ResetFolder(const std::string& folder, const TScenario& scenario) {
  ::chmod(folder.c_str(), 0755);
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().filename() != ProgramName) std::filesystem::remove(entry.path());
  }
  if (scenario.Checkpoint) std::ofstream(folder + "/CHKPT.INI", std::ios::binary) << *scenario.Checkpoint;
  if (scenario.Log) std::ofstream(folder + "/triplog.txt", std::ios::binary) << *scenario.Log;
  if (!scenario.Closed) return;
  for (const char* name : {"CHKPT.INI", "triplog.txt"}) {
    if (::chown((folder + "/" + name).c_str(), 65534, 65534) != 0) throw std::runtime_error("chown failed");
  }
  ::chmod(folder.c_str(), 0555);
}

int CutEveryStep(const std::string& program, const TScenario& scenario) {
  const bool closed = scenario.Closed;
  std::string folder = "/tmp/tallyvane-powercut-steps-XXXXXX";
  if (::mkdtemp(folder.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  ::chmod(folder.c_str(), 0755);
  std::filesystem::copy_file(program, folder + "/" + ProgramName);
  const char* where = scenario.Name;

  ResetFolder(folder, scenario);
  const TFolderState fresh = ReadFolderState(folder, ProgramName);
  int startCalls = 0;
  const TStepRun whole = RunWithCut(folder, {.Unprivileged = closed}, &startCalls);
  const TFolderState ended = ReadFolderState(folder, ProgramName);
  const std::vector<std::string> wholeDamage = JudgeEndCut(fresh, ended).Damage;
  if (whole.ExitCode != 0 || startCalls < 10 || whole.Changes.empty() ||
      CheckpointKeysOf(ended.Checkpoint.Bytes).Status != "0" || !wholeDamage.empty()) {
    std::printf("FAILED in %s: a whole run made %d calls at its start, %d in all, and ended with %d\n", where,
                startCalls, whole.Calls, whole.ExitCode);
    for (const std::string& item : wholeDamage) std::printf("  %s\n", item.c_str());
    return 1;
  }
  // A call that changes nothing leaves the folder as the call before it did:
  // the cuts are made right after each call that may change it.
  int damaged = 0, cuts = 0;
  const int lastCut = scenario.EndCuts ? whole.Calls : startCalls + 1;
  for (const int changed : whole.Changes) {
    const int cut = changed + 1;
    if (cut > lastCut) break;
    ++cuts;
    ResetFolder(folder, scenario);
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
  std::printf("%s: %d calls, %d in the start-up; %d cuts, %d damaged\n", where, whole.Calls, startCalls, cuts, damaged);
  // An end signal at each step of the start-up: before it writes, the run
  // ends at once with exit code 1 and both files as they were; once it
  // writes, the run starts and then ends normally.
  int atOnce = 0, normalEnds = 0;
  for (int step = 1; step <= startCalls && scenario.EndSignals; ++step) {
    ResetFolder(folder, scenario);
    const TFolderState before = ReadFolderState(folder, ProgramName);
    const TStepRun run = RunWithCut(folder, {.CutAt = step, .CutSignal = SIGTERM});
    const TFolderState after = ReadFolderState(folder, ProgramName);
    const bool untouched = after.Checkpoint.Bytes == before.Checkpoint.Bytes && after.Log.Bytes == before.Log.Bytes;
    const bool endedNormally =
        CheckpointKeysOf(after.Checkpoint.Bytes).Status == "0" && after.Log.Bytes != before.Log.Bytes;
    atOnce += run.ExitCode == 1 && untouched;
    normalEnds += run.ExitCode == 0 && endedNormally;
    if ((run.ExitCode == 1 && untouched) || (run.ExitCode == 0 && endedNormally)) continue;
    ++damaged;
    std::printf("SIGTERM before call %d: exit code %d, files %s\n", step, run.ExitCode,
                untouched ? "untouched" : "changed");
  }
  if (scenario.EndSignals)
    std::printf("end signals in the start-up: %d ended it at once, %d waited for its end\n", atOnce, normalEnds);
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
    int failed = 0;
    for (const TScenario& scenario : Scenarios) {
      if (scenario.Closed && ::geteuid() != 0) {
        std::printf("%s needs root to run the program as another user: skipped\n", scenario.Name);
        continue;
      }
      failed |= CutEveryStep(argv[1], scenario);
    }
    std::printf("%s\n", failed == 0 ? "PASSED" : "FAILED");
    return failed;
  } catch (const std::exception& error) {
    std::printf("FAILED: %s\n", error.what());
    return 1;
  }
}
