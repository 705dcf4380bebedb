// The program's integer conversion written a second way, from its rules
// alone, for the harnesses to hold the library's version against: leading
// spaces, one optional sign, then decimal digits within 32 bits, or
// hexadecimal digits after "$", "x", "X", "0x" or "0X", at most eight of them
// after any leading zeros, taken as a 32-bit pattern and negated by a minus.
// Anything else does not convert.
#pragma once

#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>

namespace Fuzz {

inline bool AllOf(std::string_view text, bool (*accept)(char)) {
  for (const char c : text) {
    if (!accept(c)) return false;
  }
  return true;
}

inline bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }
inline bool IsHexDigit(char c) { return IsDecimalDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

inline std::optional<int32_t> ReferenceInteger(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  std::string_view hex;
  bool isHex = false;
  for (const std::string_view prefix : {"0x", "0X", "$", "x", "X"}) {
    if (text.starts_with(prefix)) {
      hex = text.substr(prefix.size());
      isHex = true;
      break;
    }
  }
  if (isHex) {
    if (hex.empty() || !AllOf(hex, IsHexDigit)) return std::nullopt;
    while (hex.size() > 1 && hex.front() == '0') hex.remove_prefix(1);
    if (hex.size() > 8) return std::nullopt;
    uint32_t pattern = 0;
    std::from_chars(hex.data(), hex.data() + hex.size(), pattern, 16);
    return static_cast<int32_t>(negative ? ~pattern + 1 : pattern);
  }
  if (text.empty() || !AllOf(text, IsDecimalDigit)) return std::nullopt;
  // Leading zeros do not count towards the range.
  while (text.size() > 1 && text.front() == '0') text.remove_prefix(1);
  if (text.size() > 10) return std::nullopt;
  int64_t magnitude = 0;
  std::from_chars(text.data(), text.data() + text.size(), magnitude);
  const int64_t value = negative ? -magnitude : magnitude;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(value);
}

}  // namespace Fuzz
