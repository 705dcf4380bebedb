// The trip log's bytes as the text the log window shows, and back. Lines
// end in CR LF in the bytes and in paragraph breaks on screen; bytes that
// are no UTF-8, or characters the text view would turn into something else,
// travel as placeholder characters, so every byte the user leaves alone is
// written back as it was.
#pragma once

#include <QString>
#include <QStringView>
#include <string>
#include <string_view>
#include <vector>

namespace Monitor {

QString MemoTextOfBytes(std::string_view bytes);
std::string BytesOfMemoText(QStringView text);

// The log window's text for a log of any size. A line too long to lay out
// quickly is shown as its start and a mark standing for the rest; as long as
// the mark stays as it was shown, the rest is written back with it.
class TMemoLines {
 public:
  static constexpr size_t LongLine = 4096;         // bytes; longer lines are shown cut
  static constexpr size_t ShownOfLongLine = 2000;  // bytes shown of a cut line

  // The text of whole lines (the last may lack its break) of the log.
  QString TextOf(std::string_view lines);
  // The bytes of the window's text, each mark replaced by the bytes it hides.
  std::string BytesOf(QStringView text) const;
  // A new text is shown: the marks of the old one stand for nothing.
  void Forget() { hidden_.clear(); }

 private:
  void AppendCutLine(QString& text, std::string_view line);

  std::vector<std::string> hidden_;  // the mark numbered n hides hidden_[n - 1]
};

// Where a part of the log that starts at `from` and holds about `size` bytes
// ends: after a line break, or at the end of the log.
size_t LinesEnd(std::string_view log, size_t from, size_t size);

}  // namespace Monitor
