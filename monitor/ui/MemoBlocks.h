// Which lines of the log window's text still hold the log's bytes as they
// were shown: a save copies those and turns only the lines the user touched
// back into bytes, so a long log is saved in a moment.
#pragma once

#include <QMetaObject>
#include <string>
#include <string_view>

#include "monitor/ui/MemoText.h"

class QTextDocument;

namespace Monitor {

class TMemoBlocks {
 public:
  explicit TMemoBlocks(QTextDocument* document);
  ~TMemoBlocks();
  TMemoBlocks(const TMemoBlocks&) = delete;
  TMemoBlocks& operator=(const TMemoBlocks&) = delete;

  // The document was emptied for a new text.
  void Forget() { lastLine_ = 0, lined_ = true; }

  // Shows log[from, to) after what the document shows of the log: whole
  // lines, the first of which may go on with the last line shown.
  void Append(std::string_view log, size_t from, size_t to, TMemoLines& lines);

  // Brings `text`, the log the document was filled from or last brought up
  // to date, up to date with the document's edits: in place when they are
  // few, as a typed line is, so that a long log is not copied.
  void Update(std::string& text, const TMemoLines& lines);

 private:
  void Touched(int position, int added);

  QTextDocument* document_;
  QMetaObject::Connection changes_;
  bool showing_ = false;  // the program itself is changing the document
  int lastLine_ = 0;      // the log's line that the last block shows
  bool lined_ = true;     // the blocks' lines are known; else every block is turned into bytes
};

}  // namespace Monitor
