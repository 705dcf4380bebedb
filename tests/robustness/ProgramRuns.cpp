#include "ProgramRuns.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>
#include <thread>

namespace PowerCut {

TProgramRun::TProgramRun(const std::string& folder, const std::string& programName) {
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    const int quiet = ::open("/dev/null", O_WRONLY);
    if (quiet >= 0) {
      ::dup2(quiet, 1);
      ::dup2(quiet, 2);
    }
    if (::chdir(folder.c_str()) == 0) {
      const std::string program = "./" + programName;
      ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    }
    ::_exit(127);
  }
}

TProgramRun::~TProgramRun() {
  if (!running_) return;
  ::kill(pid_, SIGKILL);
  int status = 0;
  Reap(true, status);
}

bool TProgramRun::Reap(bool wait, int& status) {
  const pid_t done = ::waitpid(pid_, &status, wait ? 0 : WNOHANG);
  if (done == pid_) running_ = false;
  return done == pid_;
}

bool TProgramRun::Cut() {
  int status = 0;
  const bool endedBefore = Reap(false, status);
  if (endedBefore) return false;
  ::kill(pid_, SIGKILL);
  Reap(true, status);
  return true;
}

int TProgramRun::End(std::chrono::milliseconds patience) {
  ::kill(pid_, SIGTERM);
  int status = 0;
  const auto deadline = std::chrono::steady_clock::now() + patience;
  while (!Reap(false, status)) {
    if (std::chrono::steady_clock::now() > deadline) return -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace PowerCut
