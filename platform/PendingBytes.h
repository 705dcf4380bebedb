// Bytes the program would still write, kept in memory that the display-end
// watcher is handed: what an end too sudden for a save leaves to it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/UniqueFd.h"

namespace Platform {

class TPendingBytes {
 public:
  // Without memory to share, nothing is ever kept.
  TPendingBytes();

  // Replaces what is kept, the two parts one after the other; a failure
  // keeps nothing rather than a part.
  void Keep(std::string_view head, std::string_view bytes);
  void Keep(std::string_view bytes) { Keep({}, bytes); }
  void Drop();

  // The memory another process, handed this descriptor, reads with KeptIn.
  int Fd() const { return fd_.Get(); }
  // What is kept in that memory; nothing when nothing is, or when the
  // keeping was cut short.
  static std::optional<std::string> KeptIn(int fd);

 private:
  TUniqueFd fd_;
  bool holding_ = false;  // the memory holds pages
};

}  // namespace Platform
