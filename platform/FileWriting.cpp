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
  RequireRegularFile(info.st_mode, TFileStep::Create, path);
  // Non-blocking, so that a file turned into a pipe meanwhile cannot hang it.
  state.Writable = TUniqueFd(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (!state.Writable.Valid()) throw EFileFailure(TFileStep::Create, path, errno);
  state.Exists = true;
  state.Mode = info.st_mode;
  state.Owner = info.st_uid;
  state.Group = info.st_gid;
  return state;
}

void WriteAllAt(int fd, const std::string& path, std::string_view bytes, off_t offset) {
  while (!bytes.empty()) {
    const ssize_t done = ::pwrite(fd, bytes.data(), bytes.size(), offset);
    if (done > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(done));
      offset += done;
    } else if (done == 0) {
      throw EFileFailure(TFileStep::Write, path, ENOSPC);
    } else if (errno != EINTR) {
      throw EFileFailure(TFileStep::Write, path, errno);
    }
  }
}

void FlushFile(int fd, const std::string& path) {
  // EINVAL: a file system that cannot flush this file, nor needs to.
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
  const TUniqueFd folder(::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.Valid()) ::fsync(folder.Get());
}

}  // namespace Platform
