#include "platform/IniLines.h"

#include "calendar/Cdatlib.h"
#include "platform/TextLines.h"

namespace Platform {

namespace {

constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

void ClassifyHeader(std::string_view text, TIniLine& line) {
  const auto close = text.find(']');
  if (close == std::string_view::npos) return;
  line.Kind = TIniLineKind::Section;
  line.Name = TrimBlanks(text.substr(1, close - 1));
}

void ClassifyKey(std::string_view text, TIniLine& line) {
  const auto equals = text.find('=');
  if (equals == std::string_view::npos) return;
  line.Name = TrimBlanks(text.substr(0, equals));
  if (line.Name.empty()) return;
  line.Kind = TIniLineKind::Key;
  line.Value = text.substr(equals + 1);
}

void Classify(std::string_view text, TIniLine& line) {
  line.Kind = TIniLineKind::Other;
  line.Name = {};
  line.Value = {};
  text = TrimLeft(text);
  if (text.empty()) {
    line.Kind = TIniLineKind::Blank;
  } else if (text.front() == '[') {
    ClassifyHeader(text, line);
  } else if (text.front() != ';' && text.front() != '#') {
    ClassifyKey(text, line);
  }
}

}  // namespace

TIniScanner::TIniScanner(std::string_view content)
    : content_(content), pos_(content.size() - WithoutByteOrderMark(content).size()) {}

bool TIniScanner::Next(TIniLine& line) {
  if (pos_ >= content_.size()) return false;
  const TLineSpan span = LineAt(content_, pos_);
  line.Begin = span.Begin;
  line.End = span.End;
  line.Next = span.Next;
  Classify(content_.substr(line.Begin, line.End - line.Begin), line);
  pos_ = line.Next;
  return true;
}

std::string_view WithoutByteOrderMark(std::string_view content) {
  if (content.starts_with(Utf8ByteOrderMark)) content.remove_prefix(Utf8ByteOrderMark.size());
  return content;
}

std::string_view TrimBlanks(std::string_view text) {
  text = TrimLeft(text);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool SameIniName(std::string_view a, std::string_view b) { return Cdatlib::SameIgnoringAsciiCase(a, b); }

}  // namespace Platform
