#include "platform/desktop/SingleRun.h"

#include <poll.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstring>
#include <thread>

namespace Desktop {

namespace {

// A process of another user may hold a name first; the next one is tried.
constexpr int NameSlots = 4;

// The abstract name starts with a NUL byte and is not NUL-terminated.
socklen_t AbstractAddress(const std::string& name, sockaddr_un& address) {
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path + 1, name.data(), name.size());
  return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
}

std::string Hex(unsigned long long value) {
  constexpr char Digits[] = "0123456789abcdef";
  std::string text;
  do {
    text.insert(text.begin(), Digits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  return text;
}

std::string ClaimName(const struct stat& folder, int slot) {
  return "tallyvane-" + std::to_string(getuid()) + "-" + Hex(folder.st_dev) + "-" + Hex(folder.st_ino) + "-" +
         std::to_string(slot);
}

// The peer of a connected socket is this user's process with that id (any
// of this user's, for 0).
bool PeerIs(int fd, pid_t pid) {
  ucred peer{};
  socklen_t length = sizeof peer;
  return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0 && peer.uid == getuid() &&
         (pid == 0 || peer.pid == pid);
}

// The running copy answers a request with this byte once its window shows.
constexpr char Shown = 's';
// How long a later start waits for the running copy: long enough for a
// copy that is itself still starting on a busy machine.
constexpr auto AnswerWait = std::chrono::seconds(5);

// The listening socket, or -1 with errno set.
int Listen(const std::string& name) {
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return -1;
  sockaddr_un address{};
  const socklen_t length = AbstractAddress(name, address);
  if (bind(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0 && listen(fd, 8) == 0) return fd;
  const int error = errno;
  close(fd);
  errno = error;
  return -1;
}

// A connection to the holder of the lock at one of the names, or -1.
int ConnectToHolder(const struct stat& folder, pid_t holder) {
  for (int slot = 0; slot < NameSlots; ++slot) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return -1;
    sockaddr_un address{};
    const socklen_t length = AbstractAddress(ClaimName(folder, slot), address);
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0 && PeerIs(fd, holder)) return fd;
    close(fd);
  }
  return -1;
}

}  // namespace

std::string AccountName(uid_t uid) {
  passwd account{};
  passwd* found = nullptr;
  char strings[4096];
  if (getpwuid_r(uid, &account, strings, sizeof strings, &found) == 0 && found != nullptr &&
      found->pw_name != nullptr) {
    return found->pw_name;
  }
  return std::to_string(uid);
}

TSingleRun::TSingleRun(const std::string& folder, QObject* parent) : QObject(parent), folder_(folder) {}

TSingleRun::~TSingleRun() {
  if (listener_ >= 0) close(listener_);
}

TSingleRun::TClaim TSingleRun::Claim() {
  const Platform::TFolderHolder holder = lock_.Take(folder_);
  if (holder.Kind == Platform::TFolderHolder::fhOtherAccount) {
    holderUid_ = holder.Uid;
    return clOtherAccount;
  }
  if (holder.Kind == Platform::TFolderHolder::fhThisUser) {
    holderUid_ = holder.Uid;
    return AskToShow(holder.Pid) ? clShownThere : clNoAnswer;
  }
  // A stranger may hold a name first; the next one is taken. With every
  // name held the copy runs all the same: later starts then find no answer.
  struct stat folder {};
  if (stat(folder_.c_str(), &folder) != 0) return clClaimed;
  for (int slot = 0; slot < NameSlots && listener_ < 0; ++slot) listener_ = Listen(ClaimName(folder, slot));
  return clClaimed;
}

// The holder may be starting too and not listen yet: it is asked until it
// answers or the wait is over.
bool TSingleRun::AskToShow(pid_t holder) const {
  struct stat folder {};
  if (stat(folder_.c_str(), &folder) != 0) return false;
  const auto deadline = std::chrono::steady_clock::now() + AnswerWait;
  while (std::chrono::steady_clock::now() < deadline) {
    const int fd = ConnectToHolder(folder, holder);
    if (fd < 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      continue;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd answer{fd, POLLIN, 0};
    char byte = 0;
    const bool shown = poll(&answer, 1, static_cast<int>(std::max<int64_t>(left.count(), 0))) == 1 &&
                       read(fd, &byte, 1) == 1 && byte == Shown;
    close(fd);
    return shown;
  }
  return false;
}

void TSingleRun::AnswerRequests() {
  if (listener_ < 0 || notifier_ != nullptr) return;
  notifier_ = new QSocketNotifier(listener_, QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TSingleRun::ConnectionArrived);
}

void TSingleRun::ConnectionArrived() {
  int fd;
  while ((fd = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK)) >= 0) {
    if (PeerIs(fd, 0)) {
      emit ShowRequested();
      [[maybe_unused]] const ssize_t sent = send(fd, &Shown, 1, MSG_NOSIGNAL);
    }
    close(fd);
  }
}

}  // namespace Desktop
