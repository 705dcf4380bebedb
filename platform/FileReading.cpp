#include "platform/FileReading.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/FileFailure.h"
#include "platform/UniqueFd.h"

namespace Platform {

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

namespace {

constexpr off_t MaxReserved = off_t{1} << 30;

TUniqueFd OpenForReading(const std::string& path) {
  TUniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
  if (!fd.Valid()) throw EFileFailure(TFileStep::Open, path, errno);
  struct stat info {};
  if (::fstat(fd.Get(), &info) != 0) throw EFileFailure(TFileStep::Open, path, errno);
  if (S_ISDIR(info.st_mode)) throw EFileFailure(TFileStep::Open, path, EISDIR);
  return fd;
}

}  // namespace

std::string ReadWholeFile(const std::string& path) {
  const TUniqueFd fd = OpenForReading(path);
  std::string content;
  // Room for the whole file at once: a long one is then neither copied
  // while it grows nor given its memory twice.
  struct stat info {};
  if (::fstat(fd.Get(), &info) == 0 && info.st_size > 0 && info.st_size <= MaxReserved)
    content.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[64 * 1024];
  for (;;) {
    const ssize_t got = ::read(fd.Get(), buffer, sizeof buffer);
    if (got == 0) return content;
    if (got > 0) {
      content.append(buffer, static_cast<std::size_t>(got));
    } else if (errno != EINTR) {
      throw EFileFailure(TFileStep::Read, path, errno);
    }
  }
}

}  // namespace Platform
