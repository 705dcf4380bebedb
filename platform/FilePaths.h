// Path pieces the safe replacement needs: a path's folder and name, and the
// file a chain of symbolic links finally names.
#pragma once

#include <string>

namespace Platform {

std::string FolderOf(const std::string& path);  // "." when the path has no folder
std::string NameOf(const std::string& path);

// Follows symbolic links on the last component, also to a target that does
// not exist yet, so a write replaces the target and keeps the link. A path
// that is no link (or cannot be examined) is returned as it is. Throws
// EFileFailure (Create, ELOOP) on a loop of links.
std::string FinalLinkTarget(const std::string& path);

}  // namespace Platform
