// What a power cut leaves in the program's folder: the bytes and the inode of
// the checkpoint file and of the trip log, and every other entry, read
// straight from the disk without the program's own code.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace PowerCut {

// Which file stands at a path: a replacement writes a new file and renames
// it into place. Its inode alone does not tell, as a freed inode number comes
// back soon; its inode with its change time does.
struct TFileIdentity {
  ino_t Inode = 0;
  long ChangeSeconds = 0;
  long ChangeNanoseconds = 0;
  bool operator==(const TFileIdentity&) const = default;
};

struct TFileState {
  bool Present = false;
  std::string Bytes;
  TFileIdentity Identity;
};

struct TFolderState {
  TFileState Checkpoint;                // CHKPT.INI
  TFileState Log;                       // triplog.txt
  std::vector<std::string> OtherNames;  // besides the program and its two files
};

TFolderState ReadFolderState(const std::string& folder, const std::string& programName);

// TripStatus and TripTS of section "main" as the file holds them.
struct TCheckpointKeys {
  std::optional<std::string> Status;
  std::optional<std::string> Stamp;
};

TCheckpointKeys CheckpointKeysOf(const std::string& bytes);

}  // namespace PowerCut
