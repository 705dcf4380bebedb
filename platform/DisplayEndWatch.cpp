#include "platform/DisplayEndWatch.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace Platform {

namespace {

constexpr char Goodbye = 'g';
// The socket the watcher reads and the program's pending bytes, the
// descriptors it keeps.
constexpr int WatchedFd = 3;
constexpr int PendingFd = 4;
// A display server may drop its clients a moment before it closes its
// listening socket: a display still reachable is asked again for this long.
constexpr int ProbeTries = 30;
constexpr long ProbePauseNs = 100'000'000;

void Say(int fd, char byte) {
  if (fd < 0) return;
  [[maybe_unused]] const ssize_t sent = send(fd, &byte, 1, MSG_NOSIGNAL);
}

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

// Only the socket and the pending bytes stay open: the program's
// single-run claim and files go with the program, and nobody waits for
// output the watcher never writes.
void KeepOnly(int fd, int pendingFd) {
  // Out of the way first, so that neither lands on the other.
  constexpr int Aside = 10;
  fd = fcntl(fd, F_DUPFD, Aside);
  pendingFd = pendingFd < 0 ? -1 : fcntl(pendingFd, F_DUPFD, Aside);
  dup2(fd, WatchedFd);
  if (pendingFd >= 0) dup2(pendingFd, PendingFd);
  close_range(pendingFd >= 0 ? PendingFd + 1 : WatchedFd + 1, ~0U, 0);
  const int nothing = open("/dev/null", O_RDWR | O_CLOEXEC);
  for (int standard = 0; standard < WatchedFd; ++standard) dup2(nothing, standard);
  if (nothing > WatchedFd) close(nothing);
  [[maybe_unused]] const int moved = chdir("/");
}

[[noreturn]] void Watch(int fd, int pendingFd, TDisplayEndWatch::TRecordEnd recordEnd) {
  // A log-out may signal every process of the session; the program's own
  // answer to that is its normal end, which says goodbye.
  for (const int signalNumber : {SIGTERM, SIGHUP, SIGINT}) (void)std::signal(signalNumber, SIG_IGN);
  KeepOnly(fd, pendingFd);
  char kind = 0;
  for (;;) {
    char bytes[16];
    const ssize_t got = read(WatchedFd, bytes, sizeof bytes);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    for (ssize_t i = 0; i < got; ++i) {
      if (bytes[i] == Goodbye) _exit(0);
      kind = bytes[i];
    }
  }
  if (kind != 0 && DisplayGone(static_cast<TDisplayKind>(kind))) {
    // With the session gone, nobody is left to tell of a failed write.
    try {
      recordEnd(TPendingBytes::KeptIn(pendingFd < 0 ? -1 : PendingFd));
    } catch (...) {
    }
  }
  // Not exit(): the program's own clean-up is not the watcher's.
  _exit(0);
}

}  // namespace

TDisplayEndWatch::TDisplayEndWatch(TRecordEnd recordEnd, const TPendingBytes& pending) {
  int ends[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return;
  const pid_t pid = fork();
  if (pid == 0) Watch(ends[1], pending.Fd(), recordEnd);
  close(ends[1]);
  if (pid < 0) {
    close(ends[0]);
    return;
  }
  toWatcher_ = TUniqueFd(ends[0]);
}

TDisplayEndWatch::~TDisplayEndWatch() { Say(toWatcher_.Get(), Goodbye); }

void TDisplayEndWatch::Arm(TDisplayKind kind) { Say(toWatcher_.Get(), static_cast<char>(kind)); }

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
