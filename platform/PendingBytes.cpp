#include "platform/PendingBytes.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <string_view>

#include "platform/FileFailure.h"
#include "platform/FileWriting.h"

namespace Platform {

namespace {

// The memory holds a mark, then the bytes: the mark is 0 while nothing is
// kept, and one more than the byte count when something is, even nothing
// (a log the user emptied). It is written last and zeroed first, so bytes
// half written are never taken as kept.
using TCount = std::uint64_t;
constexpr off_t BytesAt = sizeof(TCount);

// The descriptor's name in the failures of the write; none is shown.
constexpr const char* CopyName = "the unsaved copy";

void WriteCount(int fd, TCount count) {
  WriteAllAt(fd, CopyName, std::string_view(reinterpret_cast<const char*>(&count), sizeof count), 0);
}

bool ReadAllAt(int fd, char* data, size_t size, off_t at) {
  while (size > 0) {
    const ssize_t got = pread(fd, data, size, at);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    data += got, size -= static_cast<size_t>(got), at += got;
  }
  return true;
}

}  // namespace

TPendingBytes::TPendingBytes() : fd_(memfd_create("tallyvane-pending", MFD_CLOEXEC)) {}

void TPendingBytes::Keep(std::string_view head, std::string_view bytes) {
  if (!fd_.Valid()) return;
  holding_ = true;
  const int fd = fd_.Get();
  const std::size_t size = head.size() + bytes.size();
  try {
    WriteCount(fd, 0);
    if (ftruncate(fd, BytesAt + static_cast<off_t>(size)) == 0) {
      WriteAllAt(fd, CopyName, head, BytesAt);
      WriteAllAt(fd, CopyName, bytes, BytesAt + static_cast<off_t>(head.size()));
      WriteCount(fd, size + 1);
      return;
    }
  } catch (const EFileFailure&) {
    // Nothing is kept rather than a part.
  }
  Drop();
}

void TPendingBytes::Drop() {
  // The pages go back to the system: nothing pending costs no memory.
  if (holding_ && ftruncate(fd_.Get(), 0) == 0) holding_ = false;
}

std::optional<std::string> TPendingBytes::KeptIn(int fd) {
  TCount count = 0;
  struct stat status {};
  if (fd < 0 || fstat(fd, &status) != 0 || !ReadAllAt(fd, reinterpret_cast<char*>(&count), sizeof count, 0) ||
      count == 0 || count != static_cast<TCount>(status.st_size - BytesAt) + 1) {
    return std::nullopt;
  }
  std::string bytes(count - 1, '\0');
  if (!ReadAllAt(fd, bytes.data(), bytes.size(), BytesAt)) return std::nullopt;
  return bytes;
}

}  // namespace Platform
