// The program's one conversion of typed text into a 32-bit integer.
#include "calendar/Cdatlib.h"

namespace Cdatlib {

namespace {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Length of a hex prefix at the front of text: "$", "x", "X" (1), "0x", "0X" (2), else 0.
size_t HexPrefixLength(std::string_view text) {
  if (text.empty()) return 0;
  if (text[0] == '$' || text[0] == 'x' || text[0] == 'X') return 1;
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) return 2;
  return 0;
}

}  // namespace

bool ConvertInteger(std::string_view text, int32_t& value) {
  size_t pos = text.find_first_not_of(' ');
  if (pos == std::string_view::npos) return false;
  bool negative = false;
  if (text[pos] == '+' || text[pos] == '-') negative = text[pos++] == '-';
  std::string_view rest = text.substr(pos);

  if (const size_t prefix = HexPrefixLength(rest); prefix > 0) {
    const std::string_view digits = rest.substr(prefix);
    if (digits.empty()) return false;
    // Invariant: pattern <= 0xFFFFFFFF, so leading zeros cost nothing and a
    // ninth significant digit is refused.
    uint64_t pattern = 0;
    for (const char c : digits) {
      const int digit = HexDigitValue(c);
      if (digit < 0) return false;
      pattern = pattern << 4 | static_cast<uint64_t>(digit);
      if (pattern > 0xFFFFFFFFULL) return false;
    }
    // The digits are a 32-bit pattern; a minus negates it in two's complement.
    const auto bits = static_cast<uint32_t>(pattern);
    value = static_cast<int32_t>(negative ? 0u - bits : bits);
    return true;
  }

  if (rest.empty()) return false;
  // Invariant: magnitude <= 2147483648, the largest a negative value needs.
  int64_t magnitude = 0;
  for (const char c : rest) {
    if (c < '0' || c > '9') return false;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > 2147483648LL) return false;
  }
  if (!negative && magnitude > 2147483647LL) return false;
  value = static_cast<int32_t>(negative ? -magnitude : magnitude);
  return true;
}

bool TryParseIntEmptyZero(const std::string& text, int32_t& value) {
  if (text.empty()) {
    value = 0;
    return true;
  }
  return ConvertInteger(text, value);
}

}  // namespace Cdatlib
