#include "platform/FileIdentity.h"

#include <sys/stat.h>

#include "platform/DecimalFields.h"

namespace Platform {

TFileIdentity IdentityOf(const std::string& path) {
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) return {};
  return {true, status.st_dev, status.st_ino, status.st_size,
          static_cast<long long>(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec};
}

std::string IdentityText(const TFileIdentity& identity) {
  if (!identity.Exists) return "-";
  return DecimalFieldsText({static_cast<long long>(identity.Device), static_cast<long long>(identity.Inode),
                            static_cast<long long>(identity.Size), identity.ModifiedNs});
}

std::optional<TFileIdentity> IdentityOfText(std::string_view text) {
  if (text == "-") return TFileIdentity{};
  const auto fields = DecimalFieldsOf(text, 4);
  if (!fields) return std::nullopt;
  return TFileIdentity{true, static_cast<dev_t>((*fields)[0]), static_cast<ino_t>((*fields)[1]),
                       static_cast<off_t>((*fields)[2]), (*fields)[3]};
}

}  // namespace Platform
