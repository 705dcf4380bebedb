#include "platform/IniText.h"

#include "platform/IniLines.h"
#include "platform/TextLines.h"

namespace Platform {

namespace {

// Where a key stands, or where it would be added to its section.
struct TKeySpot {
  bool SectionFound = false;
  bool KeyFound = false;
  TIniLine Key;
  TIniLine SectionTail;  // the section's last non-blank line
};

TKeySpot LocateKey(std::string_view content, std::string_view section, std::string_view key) {
  TKeySpot spot;
  TIniScanner scanner(content);
  TIniLine line;
  while (scanner.Next(line)) {
    if (line.Kind == TIniLineKind::Section) {
      if (spot.SectionFound) break;
      spot.SectionFound = SameIniName(line.Name, section);
      spot.SectionTail = line;
    } else if (spot.SectionFound && line.Kind != TIniLineKind::Blank) {
      if (line.Kind == TIniLineKind::Key && SameIniName(line.Name, key)) {
        spot.KeyFound = true;
        spot.Key = line;
        break;
      }
      spot.SectionTail = line;
    }
  }
  return spot;
}

std::string_view Unquoted(std::string_view value) {
  const bool quoted =
      value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
  return quoted ? value.substr(1, value.size() - 2) : value;
}

std::string KeyLine(std::string_view key, std::string_view value) {
  std::string line;
  line.reserve(key.size() + value.size() + 3);
  line.append(key).append("=").append(value).append(CrLf);
  return line;
}

std::string Spliced(std::string_view content, std::size_t from, std::size_t to, std::string_view insert) {
  std::string result;
  result.reserve(content.size() - (to - from) + insert.size());
  result.append(content.substr(0, from)).append(insert).append(content.substr(to));
  return result;
}

std::string AddedAfter(std::string_view content, const TIniLine& tail, std::string_view line) {
  if (tail.Next > tail.End) return Spliced(content, tail.Next, tail.Next, line);
  return Spliced(content, tail.End, tail.End, std::string(CrLf).append(line));
}

bool EndsWithoutBreak(std::string_view content) {
  content = WithoutByteOrderMark(content);
  return !content.empty() && content.back() != '\n' && content.back() != '\r';
}

std::string WithSectionAdded(std::string_view content, std::string_view section, std::string_view keyLine) {
  std::string result(content);
  if (EndsWithoutBreak(content)) result.append(CrLf);
  result.append("[").append(section).append("]").append(CrLf).append(keyLine);
  return result;
}

}  // namespace

std::optional<std::string> FindIniValue(std::string_view content, std::string_view section, std::string_view key) {
  const TKeySpot spot = LocateKey(content, section, key);
  if (!spot.KeyFound) return std::nullopt;
  return std::string(Unquoted(TrimBlanks(spot.Key.Value)).substr(0, IniValueLimit));
}

std::string WithIniValue(std::string_view content, std::string_view section, std::string_view key,
                         std::string_view value) {
  const TKeySpot spot = LocateKey(content, section, key);
  if (spot.KeyFound) {
    return Spliced(content, spot.Key.Begin, spot.Key.Next, KeyLine(spot.Key.Name, value));
  }
  if (spot.SectionFound) return AddedAfter(content, spot.SectionTail, KeyLine(key, value));
  return WithSectionAdded(content, section, KeyLine(key, value));
}

std::string WithoutIniKey(std::string_view content, std::string_view section, std::string_view key) {
  std::string result(content);
  for (TKeySpot spot = LocateKey(result, section, key); spot.KeyFound; spot = LocateKey(result, section, key)) {
    result = Spliced(result, spot.Key.Begin, spot.Key.Next, "");
  }
  return result;
}

}  // namespace Platform
