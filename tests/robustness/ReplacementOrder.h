// Checks, on the system-call level, how a program replaced its files: each
// replacement must write a new temporary file beside the target, fsync it,
// rename it over the target and fsync the folder, in that order; nothing may
// write the target in place, except where the folder refused the temporary
// file, and such an in-place rewrite must be fsynced too. Nothing may ever
// truncate the target or open it to be emptied.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "StraceLog.h"

namespace Robustness {

struct TOrderReport {
  std::map<std::string, int> Replacements;     // by target path
  std::map<std::string, int> InPlaceRewrites;  // after the folder refused a temporary
  std::vector<std::string> Violations;         // empty when every write kept the order
};

// Temporaries are the ones the file layer makes: ".NAME.tmp-" and six characters.
TOrderReport CheckReplacements(const std::vector<TSystemCall>& calls, const std::vector<std::string>& targets);

}  // namespace Robustness
