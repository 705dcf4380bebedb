#include "monitor/ui/MemoBlocks.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <vector>

#include "platform/TextLines.h"

namespace Monitor {

namespace {

using Platform::CrLf;

// A block's state is the number of the line of the log whose bytes it
// shows; a block the user touched, or one that stands for more than one
// line, has none and is turned into bytes at every save.
constexpr int NoLine = -1;

// The bytes from..to of a text are replaced by `bytes`.
struct TSplice {
  size_t from, to;
  std::string bytes;
};

int LineCount(std::string_view bytes) {
  int count = 0;
  for (size_t at = bytes.find(CrLf); at != std::string_view::npos; at = bytes.find(CrLf, at + 2)) ++count;
  return count;
}

// Where only a few places changed, the text is changed where it is: a
// copy of a long log would cost more than moving its tail a few times.
constexpr size_t SplicesInPlace = 4;

void Apply(std::string& text, const std::vector<TSplice>& splices) {
  if (splices.size() <= SplicesInPlace) {
    // From the end, so that each splice finds its bytes where they were.
    for (size_t i = splices.size(); i-- > 0;) {
      text.replace(splices[i].from, splices[i].to - splices[i].from, splices[i].bytes);
    }
    return;
  }
  std::string result;
  size_t size = text.size();
  for (const TSplice& splice : splices) size += splice.bytes.size() - (splice.to - splice.from);
  result.reserve(size);
  size_t done = 0;
  for (const TSplice& splice : splices) {
    result.append(text, done, splice.from - done).append(splice.bytes);
    done = splice.to;
  }
  text = std::move(result.append(text, done));
}

// Walks the lines of a log forwards.
class TLineReader {
 public:
  explicit TLineReader(std::string_view log) : log_(log) {}

  // Where the line numbered `line` is, when the log has it and no earlier
  // one was asked for.
  bool Line(int line, size_t& from, size_t& to) {
    while (line_ < line && at_ != std::string_view::npos) {
      at_ = log_.find(CrLf, at_);
      if (at_ != std::string_view::npos) at_ += CrLf.size();
      ++line_;
    }
    if (line_ != line || at_ == std::string_view::npos) return false;
    from = at_;
    to = std::min(log_.find(CrLf, at_), log_.size());
    at_ = to == log_.size() ? std::string_view::npos : to + CrLf.size();
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

void TMemoBlocks::Update(std::string& text, const TMemoLines& lines) {
  // The edits as splices of the text: the untouched lines' bytes stay where
  // they are, the bytes between them are replaced.
  std::vector<TSplice> splices;
  size_t kept = 0;  // the text up to here is accounted for
  std::string own;  // the bytes that replace the text from `kept` on
  const auto keep = [&](size_t from, size_t to) {
    if (from != kept || !own.empty()) splices.push_back({kept, from, std::move(own)}), own.clear();
    kept = to;
  };
  TLineReader reader(text);
  bool afterUntouched = false;
  int line = -1;  // the line of the new text that the block begins
  for (QTextBlock block = document_->begin(); block.isValid(); block = block.next()) {
    if (++line > 0) {
      if (afterUntouched && std::string_view(text).substr(kept, 2) == CrLf) {
        keep(kept, kept + CrLf.size());
      } else {
        own += CrLf;
      }
    }
    size_t from = 0, to = 0;
    afterUntouched = lined_ && block.userState() != NoLine && reader.Line(block.userState(), from, to);
    if (afterUntouched) {
      keep(from, to);
      block.setUserState(line);
      continue;
    }
    const std::string bytes = lines.BytesOf(block.text());
    const int breaks = LineCount(bytes);
    own += bytes;
    block.setUserState(breaks == 0 ? line : NoLine);
    line += breaks;
  }
  if (kept != text.size() || !own.empty()) splices.push_back({kept, text.size(), std::move(own)});
  Apply(text, splices);
  lastLine_ = line;
  lined_ = true;
}

}  // namespace Monitor
