#include "monitor/ui/MemoText.h"

#include <QChar>
#include <algorithm>

#include "platform/TextLines.h"

namespace Monitor {

namespace {

// Bytes that are no UTF-8, and NUL, which the text view cannot hold, travel
// as lone low surrogates: U+DC00 + byte. No typed text contains those.
constexpr char16_t EscapeBase = 0xDC00;

// A cut line's mark opens and closes with these; where the log itself holds
// the opening one, its bytes travel as placeholders, so that only a mark the
// window made is ever read as one.
constexpr char16_t MarkOpen = 0x27E6;
constexpr char16_t MarkClose = 0x27E7;
constexpr qsizetype LongestMark = 80;

// Characters the text view would not give back as they were: two separators
// that it turns into line breaks, two it uses inside its own structure, and
// the mark's opening.
bool ViewAlters(char32_t code) {
  return code == QChar::LineSeparator || code == QChar::ParagraphSeparator || code == 0xFDD0 || code == 0xFDD1 ||
         code == MarkOpen;
}

QString MarkText(size_t number, size_t hiddenBytes) {
  return QStringLiteral("%1 %2 more bytes not shown, kept while this mark stays #%3%4")
      .arg(QChar(MarkOpen))
      .arg(hiddenBytes)
      .arg(number)
      .arg(QChar(MarkClose));
}

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Length of the valid UTF-8 sequence at bytes[pos], or 0 when there is none.
size_t Utf8SequenceLength(std::string_view bytes, size_t pos, char32_t& code) {
  const auto at = [&](size_t i) { return static_cast<unsigned char>(bytes[pos + i]); };
  const unsigned char lead = at(0);
  size_t length = 0;
  char32_t minimum = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, code = lead & 0x1F, minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, code = lead & 0x0F, minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, code = lead & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (pos + length > bytes.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    if (!IsContinuation(at(i))) return 0;
    code = code << 6 | (at(i) & 0x3F);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | code >> 6);
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | code >> 12);
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | code >> 18);
    out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace

namespace {

// The bytes of one line, without its break.
void AppendTextOfLine(QString& text, std::string_view bytes) {
  for (size_t pos = 0; pos < bytes.size();) {
    const auto c = static_cast<unsigned char>(bytes[pos]);
    if (c == 0) {
      text += QChar(EscapeBase);
      ++pos;
    } else if (c < 0x80) {
      text += QChar(static_cast<char16_t>(c));
      ++pos;
    } else {
      char32_t code = 0;
      const size_t length = Utf8SequenceLength(bytes, pos, code);
      if (length == 0 || ViewAlters(code)) {
        // Each byte alone; a whole character would not come back.
        for (size_t i = 0; i < std::max<size_t>(length, 1); ++i)
          text += QChar(static_cast<char16_t>(EscapeBase + static_cast<unsigned char>(bytes[pos + i])));
        pos += std::max<size_t>(length, 1);
      } else if (QChar::requiresSurrogates(code)) {
        // Not through fromUcs4, which drops a byte-order mark.
        text += QChar(QChar::highSurrogate(code));
        text += QChar(QChar::lowSurrogate(code));
        pos += length;
      } else {
        text += QChar(static_cast<char16_t>(code));
        pos += length;
      }
    }
  }
}

}  // namespace

QString MemoTextOfBytes(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (size_t at = 0; at < bytes.size();) {
    const Platform::TLineSpan line = Platform::LineAt(bytes, at);
    AppendTextOfLine(text, bytes.substr(line.Begin, line.End - line.Begin));
    if (line.Next > line.End) text += QChar(u'\n');
    at = line.Next;
  }
  return text;
}

namespace {

void AppendBytesOfText(std::string& bytes, QStringView text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i].unicode();
    if (unit == u'\n' || unit == QChar::ParagraphSeparator || unit == QChar::LineSeparator) {
      bytes += "\r\n";
    } else if (unit == EscapeBase) {
      bytes += '\0';
    } else if (unit >= EscapeBase + 0x80 && unit <= EscapeBase + 0xFF) {
      bytes += static_cast<char>(unit - EscapeBase);
    } else if (QChar::isHighSurrogate(unit) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      AppendUtf8(bytes, QChar::surrogateToUcs4(unit, text[i + 1].unicode()));
      ++i;
    } else if (QChar::isSurrogate(unit)) {
      AppendUtf8(bytes, 0xFFFD);
    } else {
      AppendUtf8(bytes, unit);
    }
  }
}

}  // namespace

std::string BytesOfMemoText(QStringView text) {
  std::string bytes;
  bytes.reserve(static_cast<size_t>(text.size()));
  AppendBytesOfText(bytes, text);
  return bytes;
}

size_t LinesEnd(std::string_view log, size_t from, size_t size) {
  if (size >= log.size() - from) return log.size();
  const size_t lineEnd = log.find('\n', from + size);
  return lineEnd == std::string_view::npos ? log.size() : lineEnd + 1;
}

QString TMemoLines::TextOf(std::string_view lines) {
  QString text;
  size_t shortLines = 0;  // where the run of lines shown whole began
  for (size_t at = 0; at < lines.size();) {
    const Platform::TLineSpan line = Platform::LineAt(lines, at);
    if (line.End - line.Begin > LongLine) {
      text += MemoTextOfBytes(lines.substr(shortLines, line.Begin - shortLines));
      AppendCutLine(text, lines.substr(line.Begin, line.End - line.Begin));
      shortLines = line.End;
    }
    at = line.Next;
  }
  text += MemoTextOfBytes(lines.substr(shortLines));
  return text;
}

void TMemoLines::AppendCutLine(QString& text, std::string_view line) {
  size_t cut = ShownOfLongLine;
  // Not inside a character, so the shown start reads as it does elsewhere.
  while (cut > 0 && IsContinuation(static_cast<unsigned char>(line[cut]))) --cut;
  hidden_.emplace_back(line.substr(cut));
  text += MemoTextOfBytes(line.substr(0, cut));
  text += MarkText(hidden_.size(), hidden_.back().size());
}

std::string TMemoLines::BytesOf(QStringView text) const {
  std::string bytes;
  bytes.reserve(static_cast<size_t>(text.size()));
  qsizetype done = 0;
  for (qsizetype open = text.indexOf(QChar(MarkOpen)); open >= 0; open = text.indexOf(QChar(MarkOpen), open + 1)) {
    const qsizetype close = text.indexOf(QChar(MarkClose), open);
    if (close < 0 || close - open > LongestMark) continue;
    const QStringView mark = text.sliced(open, close - open + 1);
    bool isNumber = false;
    const size_t number = mark.sliced(mark.lastIndexOf(u'#') + 1).chopped(1).toULongLong(&isNumber);
    if (!isNumber || number < 1 || number > hidden_.size() || mark != MarkText(number, hidden_[number - 1].size()))
      continue;
    AppendBytesOfText(bytes, text.sliced(done, open - done));
    bytes += hidden_[number - 1];
    done = close + 1;
  }
  AppendBytesOfText(bytes, text.sliced(done));
  return bytes;
}

}  // namespace Monitor
