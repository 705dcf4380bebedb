// Ampersand doubling and ASCII upper-casing of texts.
#include "calendar/Cdatlib.h"

namespace Cdatlib {

bool DoubleAmpersands(std::string& text) {
  bool found = false;
  for (size_t pos = text.find('&'); pos != std::string::npos; pos = text.find('&', pos + 2)) {
    text.insert(pos, 1, '&');
    found = true;
  }
  return found;
}

void UpperCaseInPlace(std::string& text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
}

}  // namespace Cdatlib
