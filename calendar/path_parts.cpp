// A path cut into its folder and its name.
#include "calendar/Cdatlib.h"

namespace Cdatlib {

TPathParts SplitPath(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {"", path};
  return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

}  // namespace Cdatlib
