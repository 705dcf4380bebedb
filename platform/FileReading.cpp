#include "platform/FileReading.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/FileFailure.h"
#include "platform/UniqueFd.h"

namespace Platform {

namespace {

// Non-blocking: opening a pipe without a writer would wait for one forever.
TUniqueFd OpenForReading(const std::string& path, struct stat& info) {
  TUniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (!fd.Valid()) throw EFileFailure(TFileStep::Open, path, errno);
  if (::fstat(fd.Get(), &info) != 0) throw EFileFailure(TFileStep::Open, path, errno);
  RequireRegularFile(info.st_mode, TFileStep::Open, path);
  return fd;
}

}  // namespace

std::string ReadWholeFile(const std::string& path, std::size_t limit, std::size_t room) {
  struct stat info {};
  const TUniqueFd fd = OpenForReading(path, info);
  std::string content;
  // One byte beyond the limit tells a file that is too large; the size the
  // file claims only sets the first allocation, a growing file is still cut.
  const std::size_t wanted = limit + 1;
  const std::size_t first = std::min(wanted, static_cast<std::size_t>(std::max<off_t>(info.st_size, 0)) + 1);
  content.reserve(first + room);
  content.resize(first);
  std::size_t have = 0;
  for (;;) {
    if (have == content.size()) {
      if (content.size() >= wanted) break;
      content.resize(std::min(wanted, content.size() * 2));
    }
    const ssize_t got = ::read(fd.Get(), content.data() + have, content.size() - have);
    if (got == 0) break;
    if (got > 0) {
      have += static_cast<std::size_t>(got);
    } else if (errno != EINTR) {
      throw EFileFailure(TFileStep::Read, path, errno);
    }
  }
  if (have > limit) throw EFileFailure(TFileStep::Open, path, TFileProblem::TooLarge);
  content.resize(have);
  return content;
}

}  // namespace Platform
