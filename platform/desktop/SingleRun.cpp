#include "platform/desktop/SingleRun.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QSocketNotifier>
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

bool PeerIsThisUser(int fd) {
  ucred peer{};
  socklen_t length = sizeof peer;
  return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0 && peer.uid == getuid();
}

enum class THolder { hNobody, hThisUser, hStranger };

// Who listens at a name. The connect never waits: a listener that does not
// accept and has a full queue is a stranger too. A copy of this user takes
// the connection as the request to show its window.
THolder HolderOf(const std::string& name) {
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return THolder::hNobody;
  sockaddr_un address{};
  const socklen_t length = AbstractAddress(name, address);
  THolder holder = THolder::hNobody;
  if (connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0) {
    holder = PeerIsThisUser(fd) ? THolder::hThisUser : THolder::hStranger;
  } else if (errno == EAGAIN) {
    holder = THolder::hStranger;
  }
  close(fd);
  return holder;
}

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

}  // namespace

TSingleRun::TSingleRun(const std::string& folder, QObject* parent) : QObject(parent), folder_(folder) {}

TSingleRun::~TSingleRun() {
  if (listener_ >= 0) close(listener_);
}

bool TSingleRun::Claim() {
  struct stat folder {};
  if (stat(folder_.c_str(), &folder) != 0) return true;
  // Two copies started together can both miss each other's socket; the one
  // that loses the bind finds the winner's socket on a later try.
  for (int attempt = 0; attempt < 20; ++attempt) {
    bool lostRace = false;
    for (int slot = 0; slot < NameSlots && !lostRace; ++slot) {
      const std::string name = ClaimName(folder, slot);
      const THolder holder = HolderOf(name);
      if (holder == THolder::hThisUser) return false;
      if (holder == THolder::hStranger) continue;
      listener_ = Listen(name);
      if (listener_ >= 0) return true;
      if (errno != EADDRINUSE) return true;
      lostRace = true;
    }
    if (!lostRace) return true;  // strangers hold every name
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

void TSingleRun::AnswerRequests() {
  if (listener_ < 0 || notifier_ != nullptr) return;
  notifier_ = new QSocketNotifier(listener_, QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TSingleRun::ConnectionArrived);
}

void TSingleRun::ConnectionArrived() {
  int fd;
  while ((fd = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC)) >= 0) {
    const bool thisUser = PeerIsThisUser(fd);
    close(fd);
    if (thisUser) emit ShowRequested();
  }
}

}  // namespace Desktop
