// Starts the real program in its folder and ends it the hard way (SIGKILL,
// as a power cut would) or the normal way (SIGTERM, a session end).
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>

namespace PowerCut {

class TProgramRun {
 public:
  TProgramRun(const std::string& folder, const std::string& programName);
  ~TProgramRun();
  TProgramRun(const TProgramRun&) = delete;
  TProgramRun& operator=(const TProgramRun&) = delete;

  // Kills the program at once. False when it had already ended by itself.
  bool Cut();
  // Asks the program to end and waits for it; its exit code, or -1.
  int End(std::chrono::milliseconds patience);

 private:
  bool Reap(bool wait, int& status);

  pid_t pid_;
  bool running_ = true;
};

}  // namespace PowerCut
