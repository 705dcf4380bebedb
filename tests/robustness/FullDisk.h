// A full disk for a test: a small tmpfs mounted in a new mount namespace of
// the calling process, so nothing outside it sees the mount, and a filler
// file that takes up whatever room is left. Only root may mount; call it in
// a child process (TestSupport::RunInChild).
#pragma once

#include <cstddef>
#include <string>

namespace Robustness {

// Mounts a tmpfs of that many bytes at the folder; false when this process
// may not (no root rights, or no mount namespaces here).
bool MountSmallDisk(const std::string& folder, std::size_t bytes);

// Writes the filler file until the disk refuses more.
void FillDisk(const std::string& fillerPath);

}  // namespace Robustness
