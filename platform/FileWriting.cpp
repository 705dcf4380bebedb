#include "platform/FileWriting.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/FileFailure.h"
#include "platform/FilePaths.h"

namespace Platform {

namespace {

mode_t CurrentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

}  // namespace

TTargetState ExamineTarget(const std::string& path, const std::string& target) {
  TTargetState state;
  struct stat info {};
  if (::stat(target.c_str(), &info) != 0) {
    if (errno == ENOENT) return state;
    throw EFileFailure(TFileStep::Create, path, errno);
  }
  if (S_ISDIR(info.st_mode)) throw EFileFailure(TFileStep::Create, path, EISDIR);
  // Non-blocking, so that a pipe without a reader fails instead of hanging.
  state.Writable = TUniqueFd(
      ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (!state.Writable.Valid()) throw EFileFailure(TFileStep::Create, path, errno);
  state.Exists = true;
  state.Regular = S_ISREG(info.st_mode);
  state.Mode = info.st_mode;
  state.Owner = info.st_uid;
  state.Group = info.st_gid;
  return state;
}

void WriteAll(int fd, const std::string& path, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t done = ::write(fd, bytes.data(), bytes.size());
    if (done > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(done));
    } else if (done == 0) {
      throw EFileFailure(TFileStep::Write, path, ENOSPC);
    } else if (errno != EINTR) {
      throw EFileFailure(TFileStep::Write, path, errno);
    }
  }
}

void FlushFile(int fd, const std::string& path) {
  // EINVAL: the file (a device, say) cannot be flushed and needs no flush.
  if (::fsync(fd) != 0 && errno != EINVAL) {
    throw EFileFailure(TFileStep::Write, path, errno);
  }
}

void GiveTargetAttributes(int fd, const std::string& path, const TTargetState& state) {
  mode_t mode = 0666 & ~CurrentUmask();
  if (state.Exists) {
    // Only a privileged writer can give the file back to another owner; for
    // anyone else the replacement is theirs, as a newly created file is.
    if (state.Owner != ::geteuid() || state.Group != ::getegid()) {
      [[maybe_unused]] const int ignored = ::fchown(fd, state.Owner, state.Group);
    }
    mode = state.Mode & 07777;
  }
  if (::fchmod(fd, mode) != 0) throw EFileFailure(TFileStep::Create, path, errno);
}

void FlushFolder(const std::string& target) {
  const TUniqueFd folder(
      ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.Valid()) ::fsync(folder.Get());
}

void RewriteInPlace(const TTargetState& state, const std::string& path,
                    std::string_view content) {
  const int fd = state.Writable.Get();
  if (state.Regular && ::ftruncate(fd, 0) != 0) {
    throw EFileFailure(TFileStep::Write, path, errno);
  }
  WriteAll(fd, path, content);
  FlushFile(fd, path);
}

}  // namespace Platform
