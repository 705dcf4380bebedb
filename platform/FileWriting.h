// The system-call steps of writing a file: examining the file about to be
// replaced, writing all bytes at a place, flushing file and folder.
#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

#include "platform/UniqueFd.h"

namespace Platform {

struct TTargetState {
  bool Exists = false;
  mode_t Mode = 0;
  uid_t Owner = 0;
  gid_t Group = 0;
  TUniqueFd Writable;  // the existing target, opened for writing
};

// Opening the existing target for writing is the test of whether it may be
// written at all: a rename would replace even a read-only file. Throws
// EFileFailure (Create) for a folder, for anything but a regular file (a
// pipe or a device is never written) and for a file that cannot be written.
TTargetState ExamineTarget(const std::string& path, const std::string& target);

// Each throws EFileFailure (Write) naming the path the caller asked for.
// The bytes go to the offset given, whatever the descriptor's own position.
void WriteAllAt(int fd, const std::string& path, std::string_view bytes, off_t offset);
void FlushFile(int fd, const std::string& path);

// The replacement takes the target's owner and permission bits, or the
// usual ones of a new file. Throws EFileFailure (Create).
void GiveTargetAttributes(int fd, const std::string& path, const TTargetState& state);

// Makes a finished rename durable. Not every file system can flush a folder,
// and the new content is already in place, so failures are ignored.
void FlushFolder(const std::string& target);

}  // namespace Platform
