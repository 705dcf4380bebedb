// The log's bytes through the log window's text and back: line breaks
// become paragraphs, and every byte survives an edit elsewhere.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <functional>

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
      {"non-breaking space",
       "a\xc2\xa0"
       "b"},
      {"truncated UTF-8", "\xe2\x82"},
      {"overlong and surrogate encodings", "\xc0\xaf \xed\xa0\x80"},
      {"tab", "a\tb"},
      {"byte-order mark",
       "\xef\xbb\xbf"
       "first line\r\n"},
      {"byte-order mark inside a line",
       "a\xef\xbb\xbf"
       "b"},
      {"line and paragraph separators",
       "a\xe2\x80\xa8"
       "b\xe2\x80\xa9"
       "c\r\n"},
      {"the text view's own structure characters",
       "a\xef\xb7\x90"
       "b\xef\xb7\x91"
       "c"},
  };
  for (const Case& c : cases) EXPECT_EQ(ThroughTheWindow(c.bytes), c.bytes) << c.name;
}

TEST(MemoText, EveryByteValueSurvives) {
  std::string bytes;
  for (int b = 0; b < 256; ++b)
    if (b != '\r' && b != '\n') bytes += static_cast<char>(b);
  EXPECT_EQ(ThroughTheWindow(bytes), bytes);
}

// A line too long to lay out is shown cut; the rest comes back with the mark.
TEST(MemoText, LongLinesAreShownCutAndSavedWhole) {
  std::string longLine;
  longLine.resize(10'000'000, 'x');
  std::string manyEuros;  // a long line of characters the cut must not split
  for (int i = 0; i < 3000; ++i) manyEuros += "\xe2\x82\xac";
  const std::string hidden = std::to_string(longLine.size() - Monitor::TMemoLines::ShownOfLongLine);
  const std::string markOfTheLog = "\xe2\x9f\xa6 " + hidden + " more bytes not shown, kept while this mark stays #1";
  struct Case {
    const char* name;
    std::string bytes;
    std::function<void(QTextCursor&)> edit;
    std::string saved;  // after the edit
  } cases[] = {
      {"a mark-like text in the log itself",
       longLine + "\r\n" + markOfTheLog + "\xe2\x9f\xa7",
       {},
       longLine + "\r\n" + markOfTheLog + "\xe2\x9f\xa7"},
      {"untouched", "a\r\n" + longLine + "\r\n" + manyEuros, {}, "a\r\n" + longLine + "\r\n" + manyEuros},
      {"a note typed at its start", longLine + "\r\n", [](QTextCursor& c) { c.insertText("note "); },
       "note " + longLine + "\r\n"},
      {"split by Enter before it", "a" + longLine,
       [](QTextCursor& c) {
         c.movePosition(QTextCursor::Right);
         c.insertBlock();
       },
       "a\r\n" + longLine},
      {"its mark deleted", "a\r\n" + longLine,
       [](QTextCursor& c) { c.movePosition(QTextCursor::End), c.deletePreviousChar(); },
       "a\r\n" + longLine.substr(0, Monitor::TMemoLines::ShownOfLongLine) + markOfTheLog},
  };
  for (Case& c : cases) {
    Monitor::TMemoLines lines;
    QPlainTextEdit memo;
    memo.setPlainText(lines.TextOf(c.bytes));
    EXPECT_LT(memo.document()->characterCount(), 10'000) << c.name;
    if (c.edit) {
      QTextCursor cursor(memo.document());
      c.edit(cursor);
    }
    EXPECT_TRUE(lines.BytesOf(memo.document()->toRawText()) == c.saved) << c.name;
  }
}

TEST(MemoText, LineBreaksAreParagraphs) {
  EXPECT_EQ(Monitor::MemoTextOfBytes("a\r\nb"), QStringLiteral("a\nb"));
  EXPECT_EQ(Monitor::BytesOfMemoText(QStringLiteral("a\nb\n")), "a\r\nb\r\n");
  EXPECT_EQ(Monitor::BytesOfMemoText(QString(QChar(QChar::ParagraphSeparator))), "\r\n");
}

}  // namespace
