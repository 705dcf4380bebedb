// A save that copies the lines nobody touched gives the same bytes as
// turning the whole text back, after edits around untouched lines and again
// after a second edit on the bytes the first save gave.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <functional>

#include "monitor/ui/MemoBlocks.h"

namespace {

using Edit = std::function<void(QTextCursor&)>;

void Down(QTextCursor& c, int lines) { c.movePosition(QTextCursor::NextBlock, QTextCursor::MoveAnchor, lines); }

TEST(MemoBlocks, SavesAsTheWholeTextWouldAfterEdits) {
  const std::string log =
      "one\r\n\r\nthree \xe2\x80\xa8 \xff\r\n" + std::string(5000, 'x') + "\r\nfive\r\n6\r\n7\r\n8\r\n9\r\nten";
  const std::string appended = log + "\r\nsix";  // after a last line without a break
  struct Case {
    const char* name;
    Edit edit;
  } cases[] = {
      {"typed inside a line", [](QTextCursor& c) { Down(c, 2), c.insertText("x"); }},
      {"Enter at a line's start", [](QTextCursor& c) { Down(c, 2), c.insertBlock(); }},
      {"Enter at a line's end", [](QTextCursor& c) { c.movePosition(QTextCursor::EndOfBlock), c.insertBlock(); }},
      {"Enter inside a line", [](QTextCursor& c) { Down(c, 2), c.movePosition(QTextCursor::Right), c.insertBlock(); }},
      {"Delete at a line's end", [](QTextCursor& c) { c.movePosition(QTextCursor::EndOfBlock), c.deleteChar(); }},
      {"Backspace at a line's start", [](QTextCursor& c) { Down(c, 3), c.deletePreviousChar(); }},
      {"an empty line deleted", [](QTextCursor& c) { Down(c, 1), c.deleteChar(); }},
      {"whole lines deleted",
       [](QTextCursor& c) {
         Down(c, 1), c.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, 2), c.removeSelectedText();
       }},
      {"a line separator pasted", [](QTextCursor& c) { c.insertText(QStringLiteral("a\u2028b")); }},
      {"a typed line undone", [](QTextCursor& c) { c.insertText("x\ny"), c.document()->undo(); }},
      {"everything deleted", [](QTextCursor& c) { c.select(QTextCursor::Document), c.removeSelectedText(); }},
      {"typed into every other line",
       [](QTextCursor& c) {
         for (QTextBlock b = c.document()->begin(); b.isValid(); b = b.next().next()) QTextCursor(b).insertText("n");
       }},
      {"the cut line's mark touched",
       [](QTextCursor& c) { Down(c, 3), c.movePosition(QTextCursor::EndOfBlock), c.deletePreviousChar(); }},
  };
  const Edit second = [](QTextCursor& c) { c.movePosition(QTextCursor::End), c.insertText("\nseven"); };
  for (const Case& c : cases) {
    QPlainTextEdit memo;
    Monitor::TMemoLines lines;
    Monitor::TMemoBlocks blocks(memo.document());
    for (size_t from = 0; from < log.size(); from = Monitor::LinesEnd(log, from, 8))
      blocks.Append(log, from, Monitor::LinesEnd(log, from, 8), lines);
    blocks.Append(appended, log.size(), appended.size(), lines);
    std::string shown = appended;
    for (const Edit& edit : {c.edit, second}) {
      QTextCursor cursor(memo.document());
      edit(cursor);
      const std::string whole = lines.BytesOf(memo.document()->toRawText());
      blocks.Update(shown, lines);
      EXPECT_TRUE(shown == whole) << c.name << ": " << shown.substr(0, 40) << " vs " << whole.substr(0, 40);
    }
  }
}

}  // namespace
