#include "RealProgram.h"

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <stdexcept>
#include <thread>
#include <vector>

namespace Robustness {

namespace {

constexpr uid_t NobodyId = 65534;

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool DropRoot() {
  if (::geteuid() != 0) return true;
  return ::setgroups(0, nullptr) == 0 && ::setresgid(NobodyId, NobodyId, NobodyId) == 0 &&
         ::setresuid(NobodyId, NobodyId, NobodyId) == 0;
}

[[noreturn]] void RunProgram(const std::string& folder, const std::string& errorPath, const std::string& tracePath,
                             TRunOptions options) {
  const int error = ::open(errorPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (error >= 0) {
    ::dup2(error, 1);
    ::dup2(error, 2);
  }
  if ((options.Unprivileged && !DropRoot()) || ::chdir(folder.c_str()) != 0) ::_exit(126);
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  std::vector<std::string> words;
  if (options.Strace) {
    // A sanitizer build's leak check cannot run under a tracer; the runs
    // without strace keep it.
    const char* sanitizer = std::getenv("ASAN_OPTIONS");
    ::setenv("ASAN_OPTIONS", (std::string(sanitizer != nullptr ? sanitizer : "") + ":detect_leaks=0").c_str(), 1);
    words = {"strace", "-f", "-qq",     "-yy", "-s",
             "24",     "-o", tracePath, "-e",  "trace=%file,%desc,fsync,fdatasync,sync_file_range"};
  }
  words.emplace_back("./tallyvane");
  std::vector<char*> argv;
  argv.reserve(words.size() + 1);
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  ::execvp(argv[0], argv.data());
  ::_exit(127);
}

// The log ends with the start's line (or the computer line that may follow
// it), and the checkpoint says running with a stamp no earlier than that
// line's: both of its keys are written.
bool StartIsOver(const std::string& checkpoint, const std::string& log) {
  const auto start = log.rfind("  Program ");
  if (start == std::string::npos || start < 16 || !log.ends_with("\r\n")) return false;
  const auto lineStart = log.rfind("\r\n", start);
  const std::string startStamp = log.substr(lineStart == std::string::npos ? 0 : lineStart + 2, 16);
  const auto stamp = checkpoint.find("TripTS=");
  return checkpoint.find("TripStatus=1\r\n") != std::string::npos && stamp != std::string::npos &&
         checkpoint.substr(stamp + 7, 16) >= startStamp;
}

}  // namespace

std::string ProgramUnderTest() { return TALLYVANE_PROGRAM; }

TRealProgram::TRealProgram(const std::string& folder, const std::string& outputFolder, TRunOptions options)
    : folder_(folder),
      errorPath_(outputFolder + "/errors.txt"),
      tracePath_(outputFolder + "/trace.txt"),
      options_(options) {
  std::filesystem::copy_file(ProgramUnderTest(), folder_ + "/tallyvane",
                             std::filesystem::copy_options::overwrite_existing);
}

TRealProgram::~TRealProgram() { Kill(); }

void TRealProgram::Kill() {
  if (pid_ < 0) return;
  ::kill(ProgramPid(), SIGKILL);
  ::kill(pid_, SIGKILL);
  ::waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

void TRealProgram::Start() {
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) RunProgram(folder_, errorPath_, tracePath_, options_);
}

bool TRealProgram::WaitUntil(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < deadline) {
    if (done()) return true;
    if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
      pid_ = -1;
      return done();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

bool TRealProgram::WaitForStart() {
  return WaitUntil([&] { return StartIsOver(Contents(folder_ + "/CHKPT.INI"), Contents(folder_ + "/triplog.txt")); });
}

bool TRealProgram::WaitForErrorOutput(const std::string& text) {
  return WaitUntil([&] { return ErrorOutput().find(text) != std::string::npos; });
}

pid_t TRealProgram::ProgramPid() const {
  if (!options_.Strace) return pid_;
  const std::string task = std::to_string(pid_);
  const std::string children = Contents("/proc/" + task + "/task/" + task + "/children");
  return children.empty() ? pid_ : static_cast<pid_t>(std::stol(children));
}

void TRealProgram::AskToEnd() {
  if (pid_ >= 0) ::kill(ProgramPid(), SIGTERM);
}

int TRealProgram::EndSession() {
  if (pid_ < 0) return -1;
  AskToEnd();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  int status = 0;
  while (::waitpid(pid_, &status, WNOHANG) != pid_) {
    if (std::chrono::steady_clock::now() > deadline) return -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  pid_ = -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string TRealProgram::ErrorOutput() const { return Contents(errorPath_); }
std::string TRealProgram::Trace() const { return Contents(tracePath_); }

}  // namespace Robustness
