// Runs the real program under ptrace, counting the system calls of all its
// threads that touch the checkpoint file, the trip log, their temporaries or
// their folder, and can kill it (SIGKILL, as a power cut would) at the entry
// of one of them, before that call runs: a cut between every two calls of a
// write can so be made, one run per cut.
#pragma once

#include <sys/types.h>

#include <csignal>

#include <string>
#include <vector>

namespace PowerCut {

struct TStepRun {
  int Calls = 0;             // the folder's calls seen
  std::vector<int> Changes;  // the numbers of those that may change a file or the folder
  bool Cut = false;          // killed at the entry of call number CutAt
  int ExitCode = -1;         // when it ended by itself
};

struct TStepPlan {
  int CutAt = 0;            // 0: no cut
  int CutSignal = SIGKILL;  // or an end signal, after which the run goes on to its end
  int EndAfter = 0;         // after this many calls and a quiet moment, SIGTERM
  bool Unprivileged = false;
};

// Runs ./tallyvane in the folder on the offscreen platform. Without a cut
// and without EndAfter, the program is ended (SIGTERM) once the checkpoint
// says running and its calls have stopped for a moment; the number of calls
// before that end goes to startCalls.
TStepRun RunWithCut(const std::string& folder, const TStepPlan& plan, int* startCalls = nullptr);

}  // namespace PowerCut
