// The lines of a text as the trip log and the INI files have them: a line
// ends at CR LF, at a lone CR or at a lone LF, so LF CR is two breaks.
#pragma once

#include <cstddef>
#include <string_view>

namespace Platform {

// The break the program writes.
inline constexpr std::string_view CrLf = "\r\n";

// A line of a text: its bytes are [Begin, End) and the next line begins at
// Next, after the break; End == Next at the end of a text without a last break.
struct TLineSpan {
  std::size_t Begin = 0, End = 0, Next = 0;
};

// The line that begins at `from`, which is less than the text's size.
TLineSpan LineAt(std::string_view text, std::size_t from);

// Calls visit with each line's bytes, without its break.
template <typename Visit>
void ForEachLine(std::string_view text, Visit visit) {
  for (std::size_t at = 0; at < text.size();) {
    const TLineSpan line = LineAt(text, at);
    visit(text.substr(line.Begin, line.End - line.Begin));
    at = line.Next;
  }
}

}  // namespace Platform
