#include "ChildProcess.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <exception>
#include <stdexcept>

namespace TestSupport {

namespace {

constexpr uid_t NobodyId = 65534;

bool DropRoot() {
  if (::geteuid() != 0) return true;
  return ::setgroups(0, nullptr) == 0 && ::setresgid(NobodyId, NobodyId, NobodyId) == 0 &&
         ::setresuid(NobodyId, NobodyId, NobodyId) == 0;
}

void Report(int fd, bool threw, const std::string& text) {
  const std::string message = (threw ? "T" : "R") + text;
  std::size_t done = 0;
  while (done < message.size()) {
    const ssize_t n = ::write(fd, message.data() + done, message.size() - done);
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
}

[[noreturn]] void RunAndReport(int fd, bool dropRoot, const std::function<std::string()>& body) {
  if (dropRoot && !DropRoot()) {
    Report(fd, true, "could not give up root rights");
    ::_exit(1);
  }
  try {
    Report(fd, false, body());
  } catch (const std::exception& error) {
    Report(fd, true, error.what());
  } catch (...) {
    Report(fd, true, "unknown exception");
  }
  ::_exit(0);
}

std::string ReadAll(int fd) {
  std::string text;
  char buffer[4096];
  ssize_t n;
  while ((n = ::read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<std::size_t>(n));
  return text;
}

TChildOutcome RunForked(bool dropRoot, const std::function<std::string()>& body) {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) throw std::runtime_error("pipe failed");
  const pid_t child = ::fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    ::close(pipeFds[0]);
    RunAndReport(pipeFds[1], dropRoot, body);
  }
  ::close(pipeFds[1]);
  const std::string message = ReadAll(pipeFds[0]);
  ::close(pipeFds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (message.empty()) return {true, "child ended without a result"};
  return {message[0] == 'T', message.substr(1)};
}

}  // namespace

TChildOutcome RunInChild(const std::function<std::string()>& body) { return RunForked(false, body); }

TChildOutcome RunUnprivileged(const std::function<std::string()>& body) { return RunForked(true, body); }

void GiveToUnprivilegedUser(const std::string& path) {
  if (::geteuid() != 0) return;
  if (::lchown(path.c_str(), NobodyId, NobodyId) != 0) {
    throw std::runtime_error("cannot hand " + path + " to the unprivileged user");
  }
}

}  // namespace TestSupport
