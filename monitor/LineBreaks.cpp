#include "monitor/LineBreaks.h"

#include <algorithm>
#include <string_view>

#include "platform/TextLines.h"

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
  for (std::size_t at = 0; at < text.size();) {
    const Platform::TLineSpan line = Platform::LineAt(text, at);
    result.append(text, line.Begin, line.End - line.Begin);
    if (line.Next > line.End) result.append("\r\n");
    at = line.Next;
  }
  return result;
}

}  // namespace Monitor
