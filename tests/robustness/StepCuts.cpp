#include "StepCuts.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/ptrace.h>
#include <sys/uio.h>
#include <sys/user.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string_view>
#include <thread>

namespace PowerCut {

namespace {

constexpr uid_t NobodyId = 65534;
// Quiet this long after its last folder call, a start is over.
constexpr auto QuietTime = std::chrono::milliseconds(400);

[[noreturn]] void Child(const std::string& folder, bool unprivileged) {
  const int quiet = ::open("/dev/null", O_WRONLY);
  if (quiet >= 0) {
    ::dup2(quiet, 1);
    ::dup2(quiet, 2);
  }
  if (unprivileged && (::setgroups(0, nullptr) != 0 || ::setresgid(NobodyId, NobodyId, NobodyId) != 0 ||
                       ::setresuid(NobodyId, NobodyId, NobodyId) != 0)) {
    ::_exit(126);
  }
  if (::chdir(folder.c_str()) != 0) ::_exit(126);
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  if (::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0 || ::raise(SIGSTOP) != 0) ::_exit(125);
  ::execl("./tallyvane", "./tallyvane", static_cast<char*>(nullptr));
  ::_exit(127);
}

// Page by page, as a read that runs into an unmapped page fails whole.
std::string ReadString(pid_t pid, unsigned long long address) {
  constexpr unsigned long long Page = 4096;
  std::string text;
  while (text.size() < 4096) {
    char buffer[Page];
    const std::size_t length = Page - address % Page;
    iovec local{buffer, length};
    iovec remote{reinterpret_cast<void*>(address), length};
    const ssize_t got = ::process_vm_readv(pid, &local, 1, &remote, 1, 0);
    if (got <= 0) return {};
    const std::string_view part(buffer, static_cast<std::size_t>(got));
    const auto end = part.find('\0');
    text.append(part.substr(0, end));
    if (end != std::string_view::npos) break;
    address += static_cast<unsigned long long>(got);
  }
  return text;
}

std::string DescriptorPath(pid_t pid, unsigned long long fd) {
  char buffer[4096];
  const std::string link = "/proc/" + std::to_string(pid) + "/fd/" + std::to_string(static_cast<int>(fd));
  const ssize_t got = ::readlink(link.c_str(), buffer, sizeof buffer);
  return got > 0 ? std::string(buffer, static_cast<std::size_t>(got)) : std::string();
}

bool IsFolderPath(const std::string& folder, const std::string& path) {
  if (path == folder) return true;
  if (!path.starts_with(folder + "/")) return false;
  const std::string name = path.substr(folder.size() + 1);
  return name == "CHKPT.INI" || name == "triplog.txt" || name.starts_with(".CHKPT.INI.tmp-") ||
         name.starts_with(".triplog.txt.tmp-");
}

// Whether the call at its entry names the folder or one of its files, by a
// path or by a descriptor (x86-64 system call numbers and argument registers).
bool TouchesFolder(pid_t pid, const user_regs_struct& regs, const std::string& folder) {
  const auto path = [&](unsigned long long address) { return IsFolderPath(folder, ReadString(pid, address)); };
  const auto fd = [&](unsigned long long number) { return IsFolderPath(folder, DescriptorPath(pid, number)); };
  switch (regs.orig_rax) {
    case 2:
    case 4:
    case 6:
    case 21:
    case 82:
    case 87:
    case 89:  // open stat lstat access rename unlink readlink
      return path(regs.rdi) || (regs.orig_rax == 82 && path(regs.rsi));
    case 257:
    case 262:
    case 263:
    case 332:  // openat newfstatat unlinkat statx
      return path(regs.rsi) || fd(regs.rdi);
    case 264:
    case 316:  // renameat renameat2
      return path(regs.rsi) || path(regs.r10);
    case 0:
    case 1:
    case 3:
    case 5:
    case 8:
    case 17:
    case 18:
    case 72:
    case 74:
    case 75:
    case 77:
    case 91:
    case 93:
    case 217:  // read write close fstat lseek pread pwrite fcntl fsync fdatasync ftruncate fchmod fchown getdents64
      return fd(regs.rdi);
    default: return false;
  }
}

// Whether the call may change a file or the folder: anything but reading,
// looking up, seeking and closing, and opening for reading only.
bool MayChange(const user_regs_struct& regs) {
  switch (regs.orig_rax) {
    case 0:
    case 3:
    case 4:
    case 5:
    case 6:
    case 8:
    case 17:
    case 21:
    case 72:
    case 89:
    case 217:
    case 262:
    case 332:  // read close stat fstat lstat lseek pread access fcntl readlink getdents64 newfstatat statx
      return false;
    case 2:
    case 257: {  // open openat
      const unsigned long long flags = regs.orig_rax == 2 ? regs.rsi : regs.rdx;
      return (flags & (O_WRONLY | O_RDWR | O_CREAT | O_TRUNC | O_APPEND)) != 0;
    }
    default: return true;
  }
}

bool SaysRunning(const std::string& folder) {
  std::ifstream in(folder + "/CHKPT.INI", std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), {});
  return bytes.find("TripStatus=1\r\n") != std::string::npos;
}

// The main thread's end is told only once its other threads are waited for.
int Reap(pid_t pid, TStepRun& run) {
  int status = 0;
  for (pid_t got; (got = ::waitpid(-1, &status, __WALL)) > 0;) {
    if (got == pid && WIFEXITED(status)) return run.ExitCode = WEXITSTATUS(status);
    if (got == pid && WIFSIGNALED(status)) return -1;
    if (WIFSTOPPED(status)) ::ptrace(PTRACE_SYSCALL, got, nullptr, nullptr);
  }
  return -1;
}

}  // namespace

TStepRun RunWithCut(const std::string& folder, const TStepPlan& plan, int* startCalls) {
  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) Child(folder, plan.Unprivileged);
  int status = 0;
  ::waitpid(pid, &status, 0);  // the child's own SIGSTOP
  ::ptrace(PTRACE_SETOPTIONS, pid, nullptr,
           PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL | PTRACE_O_TRACEEXEC | PTRACE_O_TRACECLONE);
  ::ptrace(PTRACE_SYSCALL, pid, nullptr, nullptr);
  TStepRun run;
  std::map<pid_t, bool> entering;  // per thread: its next stop enters a call
  bool ended = false;
  const int endAfter = plan.EndAfter > 0 ? plan.EndAfter : 1 << 30;
  auto lastCall = std::chrono::steady_clock::now();
  for (;;) {
    // Only a run that waits for a quiet moment polls: each poll slows every
    // system call of the program down.
    const bool polls = plan.CutAt == 0 && plan.EndAfter == 0 && !ended;
    const pid_t got = ::waitpid(-1, &status, __WALL | (polls ? WNOHANG : 0));
    if (got == 0) {
      const bool quiet = std::chrono::steady_clock::now() - lastCall > QuietTime;
      if (quiet && SaysRunning(folder)) {
        if (startCalls) *startCalls = run.Calls;
        ::kill(pid, SIGTERM);
        ended = true;
      }
      std::this_thread::sleep_for(std::chrono::microseconds(200));
      continue;
    }
    if (got > 0 && got != pid && (WIFEXITED(status) || WIFSIGNALED(status))) {
      entering.erase(got);
      continue;
    }
    if (got < 0 || WIFEXITED(status) || WIFSIGNALED(status)) {
      if (got > 0 && WIFEXITED(status)) run.ExitCode = WEXITSTATUS(status);
      return run;
    }
    const int signal = WSTOPSIG(status);
    if (signal != (SIGTRAP | 0x80)) {
      const bool event = status >> 16 != 0 || signal == SIGTRAP || signal == SIGSTOP;
      ::ptrace(PTRACE_SYSCALL, got, nullptr, event ? nullptr : reinterpret_cast<void*>(static_cast<long>(signal)));
      continue;
    }
    bool& enters = entering.try_emplace(got, true).first->second;
    if (enters) {
      user_regs_struct regs{};
      ::ptrace(PTRACE_GETREGS, got, nullptr, &regs);
      if (TouchesFolder(got, regs, folder)) {
        lastCall = std::chrono::steady_clock::now();
        ++run.Calls;
        if (MayChange(regs)) run.Changes.push_back(run.Calls);
        if (run.Calls == plan.CutAt) {
          ::kill(pid, plan.CutSignal);
          run.Cut = true;
          if (plan.CutSignal == SIGKILL) {
            Reap(pid, run);
            return run;
          }
        }
      }
    } else if (!ended && run.Calls == endAfter) {
      ::kill(pid, SIGTERM);
      ended = true;
    }
    enters = !enters;
    ::ptrace(PTRACE_SYSCALL, got, nullptr, nullptr);
  }
}

}  // namespace PowerCut
