// Whole-file reads: whether a regular file exists at a path, and its bytes.
#pragma once

#include <string>

namespace Platform {

// True when a regular file (after following links) is at the path; a folder
// or anything that cannot be examined counts as no file.
bool IsRegularFile(const std::string& path);

// The file's whole content. Throws EFileFailure: Open when the file cannot be
// opened or is a folder, Read when reading fails part-way.
std::string ReadWholeFile(const std::string& path);

}  // namespace Platform
