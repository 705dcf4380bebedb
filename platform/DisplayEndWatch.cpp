#include "platform/DisplayEndWatch.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

extern char** environ;

namespace Platform {

namespace {

constexpr std::string_view Goodbye = "g\n";
// The descriptors the watcher hands on to the display-end run: the
// program's file, its pending bytes and its display connection; the
// watcher's socket stays its standard input.
constexpr int ProgramFd = 3;
constexpr int PendingFd = 4;
constexpr int DisplayFd = 5;
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

enum class TSocketEnd { seOpen, seClosed, seNoSocket };

// Whether the other side of a socket closed it. What it had sent and nobody
// read is read away first: a server that lives may have sent events that
// the program did not live to read.
TSocketEnd EndOfSocket(int fd) {
  struct stat status {};
  if (fstat(fd, &status) != 0 || !S_ISSOCK(status.st_mode)) return TSocketEnd::seNoSocket;
  char unread[4096];
  for (;;) {
    const ssize_t got = recv(fd, unread, sizeof unread, MSG_DONTWAIT);
    if (got > 0) continue;
    if (got == 0) return TSocketEnd::seClosed;
    if (errno == EINTR) continue;
    return errno == ECONNRESET || errno == EPIPE ? TSocketEnd::seClosed : TSocketEnd::seOpen;
  }
}

// A copy above the descriptors the watcher is given, so that placing one
// never overwrites another still to be placed.
TUniqueFd Aside(int fd) {
  constexpr int Above = 10;
  return TUniqueFd(fd < 0 ? -1 : fcntl(fd, F_DUPFD_CLOEXEC, Above));
}

// The watcher keeps only the socket, the program's file, the pending bytes
// and the display connection: the program's single-run claim and files go
// with the program, and nobody waits for output it never writes.
bool SpawnWatcher(int socketFd, int programFd, int pendingFd, int displayFd) {
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
  posix_spawn_file_actions_adddup2(&actions, displayFd, DisplayFd);
  posix_spawn_file_actions_addclosefrom_np(&actions, DisplayFd + 1);
  posix_spawn_file_actions_addchdir_np(&actions, "/");
  char shell[] = "sh", command[] = "-c", name[] = "tallyvane-watch";
  char* arguments[] = {shell,  command, const_cast<char*>(WatchScript), name, const_cast<char*>(DisplayEndSwitch),
                       nullptr};
  const bool started = posix_spawn(nullptr, "/bin/sh", &actions, nullptr, arguments, environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  return started;
}

}  // namespace

TDisplayEndWatch::TDisplayEndWatch(TUniqueFd displayConnection, const TPendingBytes& pending) {
  const TUniqueFd display = Aside(displayConnection.Get());
  if (!display.Valid()) return;
  int ends[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return;
  TUniqueFd programEnd(ends[0]);
  const TUniqueFd watcherEnd = Aside(TUniqueFd(ends[1]).Get());
  // The file itself, not its name: the run that records the end is this
  // program even when its file was replaced or removed meanwhile.
  const TUniqueFd programFile = Aside(TUniqueFd(open("/proc/self/exe", O_PATH | O_CLOEXEC)).Get());
  const TUniqueFd pendingFile = Aside(pending.Fd());
  if (!watcherEnd.Valid() || !programFile.Valid() || (pending.Fd() >= 0 && !pendingFile.Valid())) return;
  if (SpawnWatcher(watcherEnd.Get(), programFile.Get(), pendingFile.Get(), display.Get())) {
    toWatcher_ = std::move(programEnd);
  }
}

TDisplayEndWatch::~TDisplayEndWatch() {
  if (!toWatcher_.Valid()) return;
  [[maybe_unused]] const ssize_t sent = send(toWatcher_.Get(), Goodbye.data(), Goodbye.size(), MSG_NOSIGNAL);
}

bool IsDisplayEndRun(int argc, char** argv) { return argc == 2 && std::string_view(argv[1]) == DisplayEndSwitch; }

bool WatcherSawTheDisplayEnd() {
  return EndOfSocket(STDIN_FILENO) == TSocketEnd::seClosed && EndOfSocket(DisplayFd) == TSocketEnd::seClosed;
}

void RecordDisplayEnd(TRecordEnd recordEnd) {
  try {
    recordEnd(TPendingBytes::KeptIn(PendingFd));
  } catch (...) {
  }
}

}  // namespace Platform
