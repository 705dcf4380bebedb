// Which process writes a program folder's two files: locks that the kernel
// drops with the process that holds them, so that a kill or a power cut
// leaves nothing behind and no lock ever needs to be judged stale.
#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

#include "platform/UniqueFd.h"

namespace Platform {

// The folder's lock file, beside the two files. It stays there: it is
// locked, never removed, so no start can mistake a removal for a release.
inline constexpr std::string_view FolderLockName = "tallyvane.lock";

struct TFolderHolder {
  enum TKind { fhNone, fhThisUser, fhOtherAccount };
  TKind Kind = fhNone;
  uid_t Uid = 0;  // of the holder, when one holds it
  pid_t Pid = 0;  // of the holder; 0 when it could not be read
};

// Two locks, each an open-file-description write lock on a file:
// - this user's, in the user's runtime folder (0600 in a folder only the
//   user can open), so that no other account can take or block it;
// - the folder's, "tallyvane.lock" beside the two files, which exactly the
//   accounts that may write the folder can open for writing, so that copies
//   of two accounts sharing one writable folder exclude each other. A folder
//   that takes no new file, or that this account cannot write, gets none:
//   a start there fails at its first write anyway, or is alone with it.
// The holder writes its account and process into the lock file, for the
// message a later start gives.
class TFolderLock {
 public:
  // Takes the locks for the folder (its path ends with the separator), or
  // tells who holds them; on fhNone this object holds them until it goes.
  TFolderHolder Take(const std::string& folder);

 private:
  TUniqueFd userLock_, folderLock_;
};

}  // namespace Platform
