// Private-profile access to an INI file on disk: its content read with a
// bound, and keys written together as one power-cut-safe replacement.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/SafeFile.h"

namespace Platform {

// The most an INI file may hold: room for many values of the longest length
// a read gives (IniValueLimit) and the lines around them. A larger file is
// refused, never cut: a write from a cut copy would lose its end.
inline constexpr std::size_t IniFileLimit = std::size_t{64} * 1024;

// Nothing when no file is there. Throws EFileFailure when one is there but
// cannot be read: no permission, a folder, no regular file, too large.
std::optional<std::string> ReadIniFile(const std::string& path);

// A key without a value is taken out of the file.
using TIniKeyValues = std::vector<std::pair<std::string_view, std::optional<std::string>>>;

// The file with each key set, in the order given, ready to be committed as
// one replacement: on disk it holds all the old values or all the new ones.
// Creates the file when it is missing. Throws EFileFailure when the file
// cannot be read back or written; it then keeps its old content.
TPreparedReplacement PrepareProfileStrings(const std::string& path, std::string_view section,
                                           const TIniKeyValues& values);

}  // namespace Platform
