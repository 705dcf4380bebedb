#include "platform/FileIdentity.h"

#include <sys/stat.h>

#include <cstdio>

namespace Platform {

TFileIdentity IdentityOf(const std::string& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return {};
  return {true, status.st_dev, status.st_ino, status.st_size,
          static_cast<long long>(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec};
}

std::string IdentityText(const TFileIdentity& identity) {
  if (!identity.Exists) return "-";
  char text[128];
  std::snprintf(text, sizeof text, "%llu %llu %lld %lld", static_cast<unsigned long long>(identity.Device),
                static_cast<unsigned long long>(identity.Inode), static_cast<long long>(identity.Size),
                identity.ModifiedNs);
  return text;
}

std::optional<TFileIdentity> IdentityOfText(std::string_view text) {
  if (text == "-") return TFileIdentity{};
  const std::string copy(text);
  unsigned long long device = 0, inode = 0;
  long long size = 0, modified = 0;
  int used = 0;
  if (std::sscanf(copy.c_str(), "%llu %llu %lld %lld%n", &device, &inode, &size, &modified, &used) != 4 ||
      static_cast<std::size_t>(used) != copy.size()) {
    return std::nullopt;
  }
  return TFileIdentity{true, static_cast<dev_t>(device), static_cast<ino_t>(inode), static_cast<off_t>(size), modified};
}

}  // namespace Platform
