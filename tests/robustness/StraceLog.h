// Reads the output of `strace -f -yy` into system calls: the call's name, its
// arguments as printed, its result, and the paths strace names for file
// descriptors. Calls that strace split over two lines (<unfinished ...> and
// <... resumed>) are joined again.
#pragma once

#include <string>
#include <vector>

namespace Robustness {

struct TSystemCall {
  int Pid = 0;
  std::string Name;
  std::vector<std::string> Arguments;  // as printed, split at top-level commas
  long Result = 0;                     // -1 for a failure
  std::string Error;                   // "ENOENT" and the like for a failure
  std::string ResultPath;              // the path of a returned descriptor

  // The path of a descriptor argument ("7</tmp/x/CHKPT.INI>"), or "".
  std::string DescriptorPath(std::size_t argument) const;
  // A quoted path argument without its quotes, or "".
  std::string PathArgument(std::size_t argument) const;
};

std::vector<TSystemCall> ParseStraceLog(const std::string& text);

}  // namespace Robustness
