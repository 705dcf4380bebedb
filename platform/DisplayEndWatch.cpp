#include "platform/DisplayEndWatch.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string_view>

extern char** environ;

namespace Platform {

namespace {

constexpr std::string_view Goodbye = "g\n";
// The descriptors the watcher hands on to the display-end run: the
// program's file and its pending bytes.
constexpr int ProgramFd = 3;
constexpr int PendingFd = 4;
constexpr const char* DisplayEndSwitch = "--display-ended";
// Reads the socket on its standard input until the goodbye or the end; only
// an end without a goodbye starts the program again, from descriptor 3
// (ProgramFd), with the script's arguments. A log-out may signal
// every process of the session: the program's own answer to that is its
// normal end, which says goodbye, so the watcher and its display-end run
// ignore those signals.
constexpr const char* WatchScript =
    "trap '' TERM HUP INT\n"
    "while read -r word; do [ \"$word\" = g ] && exit 0; done\n"
    "exec /proc/self/fd/3 \"$@\"\n";
// A display server may drop its clients a moment before it closes its
// listening socket: a display still reachable is asked again for this long.
constexpr int ProbeTries = 30;
constexpr long ProbePauseNs = 100'000'000;

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// Something listens at the address: a connect is taken, or waits in a full
// queue.
bool Listening(const std::string& address) {
  sockaddr_un peer{};
  peer.sun_family = AF_UNIX;
  if (address.size() >= sizeof peer.sun_path) return false;
  std::memcpy(peer.sun_path, address.data(), address.size());
  if (address[0] == '@') peer.sun_path[0] = '\0';
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return false;
  const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + address.size());
  const bool listening = connect(fd, reinterpret_cast<const sockaddr*>(&peer), length) == 0 || errno == EAGAIN;
  close(fd);
  return listening;
}

// False when the display cannot be named: then nothing is known for sure.
bool DisplayGone(TDisplayKind kind) {
  const std::vector<std::string> sockets = kind == TDisplayKind::dkX11
                                               ? DisplaySockets(kind, Env("DISPLAY"), "")
                                               : DisplaySockets(kind, Env("WAYLAND_DISPLAY"), Env("XDG_RUNTIME_DIR"));
  if (sockets.empty()) return false;
  for (int attempt = 0; attempt < ProbeTries; ++attempt) {
    bool reachable = false;
    for (const std::string& address : sockets) reachable = reachable || Listening(address);
    if (!reachable) return true;
    const timespec pause{0, ProbePauseNs};
    nanosleep(&pause, nullptr);
  }
  return false;
}

// A copy above the descriptors the watcher is given, so that placing one
// never overwrites another still to be placed.
TUniqueFd Aside(int fd) {
  constexpr int Above = 10;
  return TUniqueFd(fd < 0 ? -1 : fcntl(fd, F_DUPFD_CLOEXEC, Above));
}

// The watcher keeps only the socket, the program's file and the pending
// bytes: the program's single-run claim and files go with the program, and
// nobody waits for output it never writes.
bool SpawnWatcher(int socketFd, int programFd, int pendingFd, TDisplayKind kind) {
  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) return false;
  posix_spawn_file_actions_adddup2(&actions, socketFd, STDIN_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  posix_spawn_file_actions_adddup2(&actions, programFd, ProgramFd);
  if (pendingFd >= 0) {
    posix_spawn_file_actions_adddup2(&actions, pendingFd, PendingFd);
  } else {
    posix_spawn_file_actions_addopen(&actions, PendingFd, "/dev/null", O_RDONLY, 0);
  }
  posix_spawn_file_actions_addclosefrom_np(&actions, PendingFd + 1);
  posix_spawn_file_actions_addchdir_np(&actions, "/");
  char kindText[] = {static_cast<char>(kind), '\0'};
  char shell[] = "sh", command[] = "-c", name[] = "tallyvane-watch";
  char* arguments[] = {shell,    command, const_cast<char*>(WatchScript), name, const_cast<char*>(DisplayEndSwitch),
                       kindText, nullptr};
  const bool started = posix_spawn(nullptr, "/bin/sh", &actions, nullptr, arguments, environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  return started;
}

}  // namespace

TDisplayEndWatch::TDisplayEndWatch(TDisplayKind kind, const TPendingBytes& pending) {
  int ends[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return;
  TUniqueFd programEnd(ends[0]);
  const TUniqueFd watcherEnd = Aside(TUniqueFd(ends[1]).Get());
  // The file itself, not its name: the run that records the end is this
  // program even when its file was replaced or removed meanwhile.
  const TUniqueFd programFile = Aside(TUniqueFd(open("/proc/self/exe", O_PATH | O_CLOEXEC)).Get());
  const TUniqueFd pendingFile = Aside(pending.Fd());
  if (!watcherEnd.Valid() || !programFile.Valid() || (pending.Fd() >= 0 && !pendingFile.Valid())) return;
  if (SpawnWatcher(watcherEnd.Get(), programFile.Get(), pendingFile.Get(), kind)) toWatcher_ = std::move(programEnd);
}

TDisplayEndWatch::~TDisplayEndWatch() {
  if (!toWatcher_.Valid()) return;
  [[maybe_unused]] const ssize_t sent = send(toWatcher_.Get(), Goodbye.data(), Goodbye.size(), MSG_NOSIGNAL);
}

std::optional<TDisplayKind> DisplayEndRun(int argc, char** argv) {
  if (argc != 3 || std::string_view(argv[1]) != DisplayEndSwitch) return std::nullopt;
  const std::string_view kind = argv[2];
  for (const TDisplayKind known : {TDisplayKind::dkX11, TDisplayKind::dkWayland}) {
    if (kind.size() == 1 && kind[0] == static_cast<char>(known)) return known;
  }
  return std::nullopt;
}

void RecordIfDisplayGone(TDisplayKind kind, TRecordEnd recordEnd) {
  if (!DisplayGone(kind)) return;
  try {
    recordEnd(TPendingBytes::KeptIn(PendingFd));
  } catch (...) {
  }
}

std::vector<std::string> DisplaySockets(TDisplayKind kind, const std::string& display, const std::string& runtimeDir) {
  if (kind == TDisplayKind::dkWayland) {
    const std::string name = display.empty() ? "wayland-0" : display;
    if (name[0] == '/') return {name};
    if (runtimeDir.empty()) return {};
    return {runtimeDir + "/" + name};
  }
  // [unix]:number[.screen]; any other host is reached over the network.
  const auto colon = display.rfind(':');
  if (colon == std::string::npos) return {};
  const std::string host = display.substr(0, colon);
  if (!host.empty() && host != "unix") return {};
  const std::string number = display.substr(colon + 1, display.find('.', colon) - colon - 1);
  if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) return {};
  const std::string path = "/tmp/.X11-unix/X" + number;
  return {"@" + path, path};
}

}  // namespace Platform
