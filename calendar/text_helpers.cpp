// Ampersand doubling and ASCII letter case of texts.
#include <algorithm>

#include "calendar/Cdatlib.h"

namespace Cdatlib {

namespace {

// 'A'..'Z' and 'a'..'z' lie 32 apart; no other byte has a case here.
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c; }

}  // namespace

bool DoubleAmpersands(std::string& text) {
  bool found = false;
  for (size_t pos = text.find('&'); pos != std::string::npos; pos = text.find('&', pos + 2)) {
    text.insert(pos, 1, '&');
    found = true;
  }
  return found;
}

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c; }

std::string AsciiLowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), AsciiLower);
  return text;
}

void UpperCaseInPlace(std::string& text) { std::transform(text.begin(), text.end(), text.begin(), AsciiUpper); }

bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

}  // namespace Cdatlib
