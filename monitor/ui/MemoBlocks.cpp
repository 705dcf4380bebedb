#include "monitor/ui/MemoBlocks.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace Monitor {

namespace {

constexpr std::string_view CrLf = "\r\n";

// A block's state is the number of the line of the log whose bytes it
// shows; a block the user touched, or one that stands for more than one
// line, has none and is turned into bytes at every save.
constexpr int NoLine = -1;

int LineCount(std::string_view bytes) {
  int count = 0;
  for (size_t at = bytes.find(CrLf); at != std::string_view::npos; at = bytes.find(CrLf, at + 2)) ++count;
  return count;
}

// Walks the lines of a log forwards.
class TLineReader {
 public:
  explicit TLineReader(std::string_view log) : log_(log) {}

  // The bytes of the line numbered `line`, when the log has it and no
  // earlier one was asked for.
  bool Line(int line, std::string_view& bytes) {
    while (line_ < line && at_ != std::string_view::npos) {
      at_ = log_.find(CrLf, at_);
      if (at_ != std::string_view::npos) at_ += CrLf.size();
      ++line_;
    }
    if (line_ != line || at_ == std::string_view::npos) return false;
    const size_t end = std::min(log_.find(CrLf, at_), log_.size());
    bytes = log_.substr(at_, end - at_);
    at_ = end == log_.size() ? std::string_view::npos : end + CrLf.size();
    ++line_;
    return true;
  }

 private:
  std::string_view log_;
  size_t at_ = 0;  // where line_ starts
  int line_ = 0;
};

}  // namespace

TMemoBlocks::TMemoBlocks(QTextDocument* document) : document_(document) {
  changes_ = QObject::connect(document, &QTextDocument::contentsChange,
                              [this](int position, int, int added) { Touched(position, added); });
}

TMemoBlocks::~TMemoBlocks() { QObject::disconnect(changes_); }

void TMemoBlocks::Touched(int position, int added) {
  if (showing_) return;
  // Every block the change reaches, a split's new one and a merge's
  // survivor among them, loses its line.
  for (QTextBlock block = document_->findBlock(position); block.isValid() && block.position() <= position + added;
       block = block.next()) {
    block.setUserState(NoLine);
  }
}

void TMemoBlocks::Append(std::string_view log, size_t from, size_t to, TMemoLines& lines) {
  QTextCursor end(document_);
  end.movePosition(QTextCursor::End);
  const int firstBlock = end.blockNumber();
  // Whether the first block takes a whole line, or keeps its own and the
  // part begins with a line break.
  const bool atLineStart = from == 0 || log.substr(0, from).ends_with(CrLf);
  const std::string_view part = log.substr(from, to - from);
  showing_ = true;
  end.insertText(lines.TextOf(part));
  showing_ = false;
  // A line break that the text view did not make a block of would shift
  // every later line: then no block's line is trusted.
  lined_ = lined_ && document_->blockCount() - 1 - firstBlock == LineCount(part);
  int line = lastLine_;
  for (QTextBlock block = document_->findBlockByNumber(firstBlock); block.isValid(); block = block.next(), ++line) {
    if (line > lastLine_ || atLineStart) block.setUserState(line);
  }
  lastLine_ = line - 1;
}

std::string TMemoBlocks::BytesOf(std::string_view shown, const TMemoLines& lines) {
  std::string bytes;
  bytes.reserve(shown.size() + shown.size() / 16);
  TLineReader reader(shown);
  int line = -1;  // the line of the new bytes that the block begins
  for (QTextBlock block = document_->begin(); block.isValid(); block = block.next()) {
    if (++line > 0) bytes += CrLf;
    std::string_view untouched;
    if (lined_ && block.userState() != NoLine && reader.Line(block.userState(), untouched)) {
      bytes += untouched;
      block.setUserState(line);
      continue;
    }
    const std::string own = lines.BytesOf(block.text());
    const int breaks = LineCount(own);
    bytes += own;
    block.setUserState(breaks == 0 ? line : NoLine);
    line += breaks;
  }
  lastLine_ = line;
  lined_ = true;
  return bytes;
}

}  // namespace Monitor
