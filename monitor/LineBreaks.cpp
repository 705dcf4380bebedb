#include "monitor/LineBreaks.h"

#include <algorithm>
#include <string_view>

namespace Monitor {

namespace {

bool AllBreaksAreCrLf(std::string_view text) {
  std::ptrdiff_t pairs = 0;
  for (std::size_t at = text.find("\r\n"); at != std::string_view::npos; at = text.find("\r\n", at + 2)) ++pairs;
  return std::count(text.begin(), text.end(), '\r') == pairs && std::count(text.begin(), text.end(), '\n') == pairs;
}

}  // namespace

std::string WithCrLfBreaks(std::string text) {
  // A log whose breaks are all CR LF already, as the program writes it, is
  // kept as it is: a long one is then not copied.
  if (AllBreaksAreCrLf(text)) return text;
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
