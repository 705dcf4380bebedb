#include "monitor/LineBreaks.h"

namespace Monitor {

std::string WithCrLfBreaks(std::string_view text) {
  std::string result;
  result.reserve(text.size() + text.size() / 32);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') {
      result.push_back(c);
      continue;
    }
    result.append("\r\n");
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
  }
  return result;
}

}  // namespace Monitor
