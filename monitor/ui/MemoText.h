// The trip log's bytes as the text the log window shows, and back. Lines
// end in CR LF in the bytes and in paragraph breaks on screen; bytes that
// are no UTF-8 travel as placeholder characters, so nothing is lost when
// the user edits other lines.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace Monitor {

QString MemoTextOfBytes(std::string_view bytes);
std::string BytesOfMemoText(const QString& text);

}  // namespace Monitor
