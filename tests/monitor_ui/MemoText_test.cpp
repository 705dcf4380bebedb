// The log's bytes through the log window's text and back: line breaks
// become paragraphs, and every byte survives an edit elsewhere.
#include <gtest/gtest.h>

#include <QPlainTextEdit>

#include "monitor/ui/MemoText.h"

namespace {

std::string ThroughTheWindow(const std::string& bytes) {
  QPlainTextEdit memo;
  memo.setPlainText(Monitor::MemoTextOfBytes(bytes));
  return Monitor::BytesOfMemoText(memo.document()->toRawText());
}

TEST(MemoText, BytesSurviveTheTextView) {
  struct Case {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"empty", ""},
      {"lines with CR LF", "one\r\ntwo\r\n"},
      {"no final break", "one\r\ntwo"},
      {"empty lines", "\r\n\r\n\r\n"},
      {"UTF-8 letters", "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80\r\n"},
      {"Latin-1 letters", "\xe4\xf6\xfc\xdf\r\n"},
      {"NUL and controls", std::string("a\0b\x01\x02\x07\x1b\x7f", 8)},
      {"non-breaking space", "a\xc2\xa0" "b"},
      {"truncated UTF-8", "\xe2\x82"},
      {"overlong and surrogate encodings", "\xc0\xaf \xed\xa0\x80"},
      {"tab", "a\tb"},
  };
  for (const Case& c : cases) EXPECT_EQ(ThroughTheWindow(c.bytes), c.bytes) << c.name;
}

TEST(MemoText, EveryByteValueSurvives) {
  std::string bytes;
  for (int b = 0; b < 256; ++b)
    if (b != '\r' && b != '\n') bytes += static_cast<char>(b);
  EXPECT_EQ(ThroughTheWindow(bytes), bytes);
}

TEST(MemoText, LineBreaksAreParagraphs) {
  EXPECT_EQ(Monitor::MemoTextOfBytes("a\r\nb"), QStringLiteral("a\nb"));
  EXPECT_EQ(Monitor::BytesOfMemoText(QStringLiteral("a\nb\n")), "a\r\nb\r\n");
  EXPECT_EQ(Monitor::BytesOfMemoText(QString(QChar(QChar::ParagraphSeparator))), "\r\n");
}

}  // namespace
