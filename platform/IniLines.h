// Splits INI text into lines and tells section headers, key lines, blank
// lines and all other lines apart, without copying or changing a byte.
#pragma once

#include <cstddef>
#include <string_view>

namespace Platform {

enum class TIniLineKind { Blank, Section, Key, Other };

struct TIniLine {
  std::size_t Begin = 0;  // first byte of the line
  std::size_t End = 0;    // one past its text, where its line break starts
  std::size_t Next = 0;   // first byte after the line break
  TIniLineKind Kind = TIniLineKind::Other;
  std::string_view Name;   // a section's or key's name, blanks trimmed
  std::string_view Value;  // a key line's text after the first "=", untrimmed
};

// A line ends at CR LF, a lone LF or a lone CR; the last line may have no
// break. A UTF-8 byte-order mark before the first line is not part of it.
// Leading blanks do not count: "[" starts a section header, which needs its
// "]"; ";" and "#" start a comment; otherwise the first "=" makes a key line
// when a name stands before it. NUL and other bytes are ordinary text.
class TIniScanner {
 public:
  explicit TIniScanner(std::string_view content);
  bool Next(TIniLine& line);

 private:
  std::string_view content_;
  std::size_t pos_;
};

std::string_view WithoutByteOrderMark(std::string_view content);
std::string_view TrimBlanks(std::string_view text);        // spaces and tabs
bool SameIniName(std::string_view a, std::string_view b);  // ASCII case ignored

}  // namespace Platform
