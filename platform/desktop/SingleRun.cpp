#include "platform/desktop/SingleRun.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <thread>

namespace Desktop {

namespace {

// The abstract name starts with a NUL byte and is not NUL-terminated.
socklen_t AbstractAddress(const std::string& name, sockaddr_un& address) {
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path + 1, name.data(), name.size());
  return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
}

// Connects to a running copy; its accept is the whole request.
bool AskRunningCopy(const std::string& name) {
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  sockaddr_un address{};
  const socklen_t length = AbstractAddress(name, address);
  const bool connected = connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0;
  close(fd);
  return connected;
}

}  // namespace

std::string SingleRunName(const std::string& folder) {
  // FNV-1a: stable across builds, so every version of the program agrees.
  uint64_t hash = 14695981039346656037ULL;
  for (const char byte : folder) {
    hash ^= static_cast<unsigned char>(byte);
    hash *= 1099511628211ULL;
  }
  constexpr char Digits[] = "0123456789abcdef";
  std::string name = "tallyvane-";
  for (int shift = 60; shift >= 0; shift -= 4) name += Digits[(hash >> shift) & 0xF];
  return name;
}

TSingleRun::TSingleRun(const std::string& folder, QObject* parent) : QObject(parent), name_(SingleRunName(folder)) {}

TSingleRun::~TSingleRun() {
  if (listener_ >= 0) close(listener_);
}

bool TSingleRun::Claim() {
  // Two copies started together can both miss each other's socket; the one
  // that loses the bind finds the winner's socket on a later try.
  for (int attempt = 0; attempt < 20; ++attempt) {
    if (AskRunningCopy(name_)) return false;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return true;
    sockaddr_un address{};
    const socklen_t length = AbstractAddress(name_, address);
    if (bind(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0 && listen(fd, 8) == 0) {
      listener_ = fd;
      notifier_ = new QSocketNotifier(listener_, QSocketNotifier::Read, this);
      connect(notifier_, &QSocketNotifier::activated, this, &TSingleRun::ConnectionArrived);
      return true;
    }
    const int error = errno;
    close(fd);
    if (error != EADDRINUSE) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

void TSingleRun::ConnectionArrived() {
  int fd;
  while ((fd = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC)) >= 0) {
    close(fd);
    emit ShowRequested();
  }
}

}  // namespace Desktop
