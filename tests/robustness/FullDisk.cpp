#include "FullDisk.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <vector>

namespace Robustness {

bool MountSmallDisk(const std::string& folder, std::size_t bytes) {
  if (::unshare(CLONE_NEWNS) != 0) return false;
  // Keeps the mount from propagating back to the namespace the tests run in.
  if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return false;
  const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
  return ::mount("tallyvane-full-disk", folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
}

void FillDisk(const std::string& fillerPath) {
  const int fd = ::open(fillerPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) throw std::runtime_error("cannot create " + fillerPath);
  const std::vector<char> block(std::size_t{64} * 1024, 'f');
  std::size_t size = block.size();
  // Smaller and smaller pieces, down to one byte, so that no room is left.
  while (size > 0) {
    if (::write(fd, block.data(), size) < 0) {
      if (errno != ENOSPC) break;
      size /= 2;
    }
  }
  ::close(fd);
}

}  // namespace Robustness
