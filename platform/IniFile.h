// Private-profile access to an INI file on disk: read one value with a
// default, write one key as its own power-cut-safe replacement of the file.
#pragma once

#include <string>
#include <string_view>

namespace Platform {

// Never fails: a missing or unreadable file, section or key gives the default.
std::string ReadProfileString(const std::string& path, std::string_view section,
                              std::string_view key, std::string_view fallback);

// Creates the file when it is missing. Throws EFileFailure when the file
// cannot be read back or written; it then keeps its old content.
void WriteProfileString(const std::string& path, std::string_view section,
                        std::string_view key, std::string_view value);

}  // namespace Platform
