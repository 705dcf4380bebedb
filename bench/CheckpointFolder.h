// A fresh folder for checkpoint files on the real disk (not a RAM-backed
// /tmp), so that the flushes cost what they cost on a user's machine.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace Bench {

// Makes the folder under $TALLYVANE_BENCH_DISK, or /var/tmp, and points the
// monitor's checkpoint file into it with the program's stamp style.
std::string PrepareCheckpointFolder();

// Removes the folder made by PrepareCheckpointFolder.
void RemoveCheckpointFolder(const std::string& folder);

}  // namespace Bench
