// Starts a program and reports how long it took from exec to its first
// mapped top-level window, optionally with its memory a moment later: the
// proportional set size summed over the program and every process it started,
// so pages that they share count once.
//
//   map_timer [--memory-after MS] [--keep] [--timeout MS] -- program [args...]
//
// Prints one line "map_ms=<ms> pid=<pid> window=<id>" and, with
// --memory-after, "pss_kb=<kB> processes=<n>". Without --keep the program gets SIGTERM and is waited for.
// The program runs in the current folder, with the current DISPLAY; its own
// output goes to the standard error stream. With MAP_TIMER_TRACE set, every
// MapNotify seen is listed on the error stream.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
  int memoryAfterMs = -1;
  bool keep = false;
  int timeoutMs = 20000;
  std::vector<char*> command;
};

[[noreturn]] void Usage() {
  (void)std::fputs("usage: map_timer [--memory-after MS] [--keep] [--timeout MS] -- program [args...]\n", stderr);
  std::exit(2);
}

// A count of milliseconds, or the usage text for anything else.
int Milliseconds(const char* text) {
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text, &end, 10);
  if (errno != 0 || end == text || *end != '\0' || value < 0 || value > 3600000) Usage();
  return static_cast<int>(value);
}

Options ParseOptions(int argc, char** argv) {
  Options options;
  int i = 1;
  for (; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--") {
      ++i;
      break;
    }
    if (arg == "--keep") {
      options.keep = true;
    } else if (arg == "--memory-after" && i + 1 < argc) {
      options.memoryAfterMs = Milliseconds(argv[++i]);
    } else if (arg == "--timeout" && i + 1 < argc) {
      options.timeoutMs = Milliseconds(argv[++i]);
    } else {
      Usage();
    }
  }
  for (; i < argc; ++i) options.command.push_back(argv[i]);
  if (options.command.empty()) Usage();
  options.command.push_back(nullptr);
  return options;
}

// The _NET_WM_PID a window carries, or 0.
long WindowPid(Display* display, Window window) {
  static const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  long pid = 0;
  if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data) ==
          Success &&
      data != nullptr) {
    if (type == XA_CARDINAL && format == 32 && count == 1) pid = *reinterpret_cast<long*>(data);
    XFree(data);
  }
  return pid;
}

// The application windows of interest: managed (not override-redirect, so
// no tooltip, menu or tray-icon embedder) and owned by the started program.
bool IsProgramWindow(Display* display, const XMapEvent& map, pid_t child) {
  if (map.override_redirect) return false;
  const long pid = WindowPid(display, map.window);
  return pid == 0 || pid == child;
}

struct Memory {
  long pssKb = 0;
  int processes = 0;
};

// Adds the proportional set size of a process and of its descendants.
void AddMemoryOf(const std::string& pid, Memory& memory) {
  std::ifstream rollup("/proc/" + pid + "/smaps_rollup");
  std::string line;
  while (std::getline(rollup, line)) {
    if (line.rfind("Pss:", 0) == 0) {
      memory.pssKb += std::strtol(line.c_str() + 4, nullptr, 10);
      ++memory.processes;
      break;
    }
  }
  const std::filesystem::path tasks = "/proc/" + pid + "/task";
  std::error_code error;
  for (const auto& task : std::filesystem::directory_iterator(tasks, error)) {
    std::ifstream children(task.path() / "children");
    std::string child;
    while (children >> child) AddMemoryOf(child, memory);
  }
}

int XErrorIgnorer(Display*, XErrorEvent*) { return 0; }  // windows may vanish while we look

// Waits for the child's exec: the pipe closes on exec, or carries errno.
bool ExecSucceeded(int readEnd) {
  int error = 0;
  const ssize_t got = read(readEnd, &error, sizeof error);
  close(readEnd);
  if (got > 0) std::fprintf(stderr, "map_timer: exec failed: %s\n", std::strerror(error));
  return got == 0;
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = ParseOptions(argc, argv);
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "map_timer: cannot open display\n");
    return 2;
  }
  XSetErrorHandler(XErrorIgnorer);
  const Window root = DefaultRootWindow(display);
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, True);  // listening before the program exists; old events dropped

  int execPipe[2];
  if (pipe2(execPipe, O_CLOEXEC) != 0) return 2;
  const Clock::time_point start = Clock::now();
  const pid_t child = fork();
  if (child == 0) {
    close(ConnectionNumber(display));
    // Our standard output carries the figures, and a caller reading it to
    // its end must not wait for a program that stays: the program's own
    // output goes to our error stream.
    dup2(STDERR_FILENO, STDOUT_FILENO);
    execvp(options.command[0], options.command.data());
    const int error = errno;
    [[maybe_unused]] const ssize_t written = write(execPipe[1], &error, sizeof error);
    _exit(127);
  }
  close(execPipe[1]);
  if (child < 0 || !ExecSucceeded(execPipe[0])) return 2;

  const int fd = ConnectionNumber(display);
  Window mapped = None;
  Clock::time_point mappedAt{};
  const Clock::time_point deadline = start + std::chrono::milliseconds(options.timeoutMs);
  while (mapped == None && Clock::now() < deadline) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify && std::getenv("MAP_TIMER_TRACE") != nullptr) {
        std::fprintf(stderr, "map 0x%lx parent 0x%lx override %d pid %ld\n", event.xmap.window, event.xmap.event,
                     event.xmap.override_redirect, WindowPid(display, event.xmap.window));
      }
      if (event.type == MapNotify && event.xmap.event == root && IsProgramWindow(display, event.xmap, child)) {
        mappedAt = Clock::now();
        mapped = event.xmap.window;
        break;
      }
    }
    if (mapped != None) break;
    int status = 0;
    if (waitpid(child, &status, WNOHANG) == child) {
      std::fprintf(stderr, "map_timer: the program ended before it mapped a window\n");
      return 1;
    }
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(fd, &readable);
    timeval wait{0, 20000};
    select(fd + 1, &readable, nullptr, nullptr, &wait);
  }

  int code = 0;
  if (mapped == None) {
    std::fprintf(stderr, "map_timer: no window mapped within %d ms\n", options.timeoutMs);
    code = 1;
  } else {
    const double ms = std::chrono::duration<double, std::milli>(mappedAt - start).count();
    std::printf("map_ms=%.2f pid=%d window=0x%lx\n", ms, static_cast<int>(child), mapped);
    if (options.memoryAfterMs >= 0) {
      std::this_thread::sleep_until(mappedAt + std::chrono::milliseconds(options.memoryAfterMs));
      Memory memory;
      AddMemoryOf(std::to_string(child), memory);
      std::printf("pss_kb=%ld processes=%d\n", memory.pssKb, memory.processes);
    }
    if (std::fflush(stdout) != 0) code = 2;
  }
  if (!options.keep || code != 0) {
    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
  }
  XCloseDisplay(display);
  return code;
}
