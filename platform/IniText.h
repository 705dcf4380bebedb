// Reading one value from INI text and updating one key in it, with the rules
// of private-profile files: every line the update does not concern stays
// byte for byte, and the lines it writes end in CR LF.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace Platform {

// The longest value a read gives; longer values are cut.
inline constexpr std::size_t IniValueLimit = 2047;

// The value of the first key line of that name in the first section of that
// name, names matched without regard to ASCII case; blanks around the value
// and one enclosing pair of matching ' or " are dropped. Nothing when the
// section or the key is missing.
std::optional<std::string> FindIniValue(std::string_view content, std::string_view section, std::string_view key);

// The content with the key set: an existing key line is replaced where it
// stands, keeping its name's spelling; a missing key is added after the last
// non-blank line of its section; a missing section is added at the end.
std::string WithIniValue(std::string_view content, std::string_view section, std::string_view key,
                         std::string_view value);

// The content without the key: every key line of that name in the section
// that FindIniValue reads is taken out, so that no later one is read in its
// place; everything else stays byte for byte.
std::string WithoutIniKey(std::string_view content, std::string_view section, std::string_view key);

}  // namespace Platform
