// Lines of decimal numbers that one process writes for another to read back:
// the numbers, each followed by one blank but the last.
#pragma once

#include <charconv>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Platform {

inline std::string DecimalFieldsText(const std::vector<long long>& fields) {
  std::string text;
  for (const long long field : fields) text += (text.empty() ? "" : " ") + std::to_string(field);
  return text;
}

// Exactly `count` numbers in that form, and nothing else; nothing otherwise.
inline std::optional<std::vector<long long>> DecimalFieldsOf(std::string_view text, std::size_t count) {
  std::vector<long long> fields;
  const char* at = text.data();
  const char* const end = text.data() + text.size();
  while (fields.size() < count) {
    if (!fields.empty() && (at == end || *at++ != ' ')) return std::nullopt;
    long long field = 0;
    const auto [next, error] = std::from_chars(at, end, field);
    if (error != std::errc()) return std::nullopt;
    fields.push_back(field);
    at = next;
  }
  return at == end ? std::optional(fields) : std::nullopt;
}

}  // namespace Platform
