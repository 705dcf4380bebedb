// The temporary files a safe replacement writes beside its target: making a
// fresh one, and removing those an interrupted write left behind.
#pragma once

#include <string>

#include "platform/UniqueFd.h"

namespace Platform {

// Creates a new, empty, private temporary beside the target. On failure the
// descriptor is invalid and errno tells why.
TUniqueFd CreateTempBeside(const std::string& target, std::string& tempPath);

// Removes the target's leftover temporaries; failures are ignored, as the
// next successful write tries again.
void RemoveLeftoverTemps(const std::string& target);

}  // namespace Platform
