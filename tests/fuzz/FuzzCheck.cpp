#include "FuzzCheck.h"

#include <cstdio>
#include <cstdlib>

namespace Fuzz {

std::string CurrentInputName;

void Fail(const std::string& message) {
  std::fprintf(stderr, "PROPERTY BROKEN%s%s\n  %s\n", CurrentInputName.empty() ? "" : " by ", CurrentInputName.c_str(),
               message.c_str());
  std::abort();
}

}  // namespace Fuzz
