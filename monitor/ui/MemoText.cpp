#include "monitor/ui/MemoText.h"

#include <QChar>

namespace Monitor {

namespace {

// Bytes that are no UTF-8, and NUL, which the text view cannot hold, travel
// as lone low surrogates: U+DC00 + byte. No typed text contains those.
constexpr char16_t EscapeBase = 0xDC00;

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

QString MemoTextOfBytes(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  for (size_t pos = 0; pos < bytes.size();) {
    const auto c = static_cast<unsigned char>(bytes[pos]);
    if (c == '\r' || c == '\n') {
      text += QChar(u'\n');
      pos += (c == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n') ? 2 : 1;
    } else if (c == 0) {
      text += QChar(EscapeBase);
      ++pos;
    } else if (c < 0x80) {
      text += QChar(static_cast<char16_t>(c));
      ++pos;
    } else {
      char32_t code = 0;
      const size_t length = Utf8SequenceLength(bytes, pos, code);
      if (length == 0) {
        text += QChar(static_cast<char16_t>(EscapeBase + c));
        ++pos;
      } else {
        text += QString::fromUcs4(&code, 1);
        pos += length;
      }
    }
  }
  return text;
}

std::string BytesOfMemoText(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<size_t>(text.size()));
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
  return bytes;
}

}  // namespace Monitor
