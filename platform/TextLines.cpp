#include "platform/TextLines.h"

namespace Platform {

TLineSpan LineAt(std::string_view text, std::size_t from) {
  const std::size_t end = text.find_first_of("\r\n", from);
  if (end == std::string_view::npos) return {from, text.size(), text.size()};
  const bool crLf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
  return {from, end, end + (crLf ? 2 : 1)};
}

}  // namespace Platform
