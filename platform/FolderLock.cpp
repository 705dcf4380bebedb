#include "platform/FolderLock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <string_view>
#include <thread>

#include "platform/DecimalFields.h"

namespace Platform {

namespace {

// Only a runtime folder that is this user's alone keeps strangers out.
std::string UserRuntimeFolder() {
  const char* folder = std::getenv("XDG_RUNTIME_DIR");
  struct stat status {};
  if (folder == nullptr || *folder != '/' || stat(folder, &status) != 0 || !S_ISDIR(status.st_mode) ||
      status.st_uid != geteuid() || (status.st_mode & (S_IRWXG | S_IRWXO)) != 0) {
    return "";
  }
  return folder;
}

// The folder's lock file is writable by whoever may write the folder.
mode_t FolderLockMode(const struct stat& folder) {
  mode_t mode = S_IRUSR | S_IWUSR;
  if ((folder.st_mode & S_IWGRP) != 0) mode |= S_IRGRP | S_IWGRP;
  if ((folder.st_mode & S_IWOTH) != 0) mode |= S_IROTH | S_IWOTH;
  return mode;
}

// The lock file opened for writing, created with the mode when missing; an
// invalid descriptor when it cannot be (no right to, or no regular file).
TUniqueFd OpenLockFile(const std::string& path, mode_t mode) {
  TUniqueFd fd(open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode));
  if (fd.Valid()) {
    fchmod(fd.Get(), mode);  // the umask may have taken bits the folder grants
  } else if (errno == EEXIST) {
    fd = TUniqueFd(open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW));
  }
  struct stat status {};
  if (fd.Valid() && (fstat(fd.Get(), &status) != 0 || !S_ISREG(status.st_mode))) return TUniqueFd();
  return fd;
}

bool LockWhole(int fd) {
  struct flock whole {};
  whole.l_type = F_WRLCK;
  whole.l_whence = SEEK_SET;
  return fcntl(fd, F_OFD_SETLK, &whole) == 0;
}

// "uid pid" of the holder. A holder that has just taken the lock may not
// have written it yet: it is read again for a moment.
TFolderHolder HolderIn(int fd) {
  TFolderHolder holder{TFolderHolder::fhOtherAccount, static_cast<uid_t>(-1), 0};
  for (int attempt = 0; attempt < 10; ++attempt) {
    char text[64] = {};
    const ssize_t got = pread(fd, text, sizeof text, 0);
    std::string_view line(text, got > 0 ? static_cast<std::size_t>(got) : 0);
    if (line.ends_with('\n')) line.remove_suffix(1);
    const auto fields = DecimalFieldsOf(line, 2);
    if (fields && (*fields)[1] > 0) {
      holder.Uid = static_cast<uid_t>((*fields)[0]);
      holder.Pid = static_cast<pid_t>((*fields)[1]);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  if (holder.Uid == static_cast<uid_t>(-1)) {
    struct stat status {};
    holder.Uid = fstat(fd, &status) == 0 ? status.st_uid : static_cast<uid_t>(-1);
  }
  holder.Kind = holder.Uid == geteuid() ? TFolderHolder::fhThisUser : TFolderHolder::fhOtherAccount;
  return holder;
}

void WriteHolder(int fd) {
  const std::string text = DecimalFieldsText({geteuid(), getpid()}) + "\n";
  if (ftruncate(fd, 0) == 0) {
    [[maybe_unused]] const ssize_t written = pwrite(fd, text.data(), text.size(), 0);
  }
}

// Takes one lock: fhNone and the descriptor when taken or when there is no
// file to lock, else who holds it.
TFolderHolder TakeOne(const std::string& path, mode_t mode, TUniqueFd& lock) {
  TUniqueFd fd = OpenLockFile(path, mode);
  if (!fd.Valid()) return {};
  if (!LockWhole(fd.Get())) return HolderIn(fd.Get());
  WriteHolder(fd.Get());
  lock = std::move(fd);
  return {};
}

}  // namespace

TFolderHolder TFolderLock::Take(const std::string& folder) {
  struct stat status {};
  if (stat(folder.c_str(), &status) != 0) return {};
  // The folder by what it is, not by the path that reached it.
  const std::string runtime = UserRuntimeFolder();
  if (!runtime.empty()) {
    const std::string name =
        "/tallyvane-" + std::to_string(status.st_dev) + "-" + std::to_string(status.st_ino) + ".lock";
    const TFolderHolder holder = TakeOne(runtime + name, S_IRUSR | S_IWUSR, userLock_);
    if (holder.Kind != TFolderHolder::fhNone) return holder;
  }
  const TFolderHolder holder = TakeOne(folder + std::string(FolderLockName), FolderLockMode(status), folderLock_);
  if (holder.Kind != TFolderHolder::fhNone) userLock_ = TUniqueFd();
  return holder;
}

}  // namespace Platform
