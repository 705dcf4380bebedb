// Which version of a file is on disk: enough to tell that another program
// wrote it, replaced it or removed it since the program last read or wrote it.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>

namespace Platform {

struct TFileIdentity {
  bool Exists = false;
  dev_t Device = 0;
  ino_t Inode = 0;
  off_t Size = 0;
  long long ModifiedNs = 0;  // the modification time, in nanoseconds

  bool operator==(const TFileIdentity&) const = default;
};

TFileIdentity IdentityOf(const std::string& path);

// One line of text, for a process that hands it on: "-" for no file.
std::string IdentityText(const TFileIdentity& identity);
std::optional<TFileIdentity> IdentityOfText(std::string_view text);

}  // namespace Platform
