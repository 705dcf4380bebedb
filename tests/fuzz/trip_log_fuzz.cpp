// The trip log's line breaks and appends on any text. Loaded text gets CR LF
// for every CR LF, lone CR and lone LF (an LF then a CR being two breaks);
// appended lines are never run together with the text before them, and the
// text keeps ending with a line break exactly when it did.
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "monitor/LineBreaks.h"
#include "monitor/TripLog.h"
#include "platform/TextLines.h"

namespace {

using Platform::CrLf;

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  std::string result;
  std::size_t begin = 0;
  for (std::size_t at; (at = text.find(from, begin)) != std::string::npos; begin = at + from.size()) {
    result.append(text, begin, at - begin).append(to);
  }
  text = result.append(text, begin);
}

// The conversion done the long way: every break to LF first, then LF to CR LF.
std::string ReferenceBreaks(std::string text) {
  ReplaceAll(text, "\r\n", "\n");
  ReplaceAll(text, "\r", "\n");
  ReplaceAll(text, "\n", "\r\n");
  return text;
}

bool EndsWithBreak(std::string_view text) { return text.ends_with(CrLf); }

void CheckLoadedText(const std::string& file) {
  const std::string held = Monitor::WithCrLfBreaks(file);
  FUZZ_REQUIRE(held == ReferenceBreaks(file), "converted [" + file + "] to [" + held + "]");
  FUZZ_REQUIRE(Monitor::WithCrLfBreaks(held) == held, "a second conversion changed [" + held + "]");
}

void CheckAppend(const std::string& held, const std::string& line) {
  Monitor::TTripLog log;
  log.Replace(held);
  log.LogDirty = false;
  Monitor::AppendLogLine(log, line);
  const std::string& text = log.Text();
  const std::string why = "appending [" + line + "] to [" + held + "] gave [" + text + "]";
  if (line.empty()) {
    FUZZ_REQUIRE(text == held && !log.LogDirty, why);
    return;
  }
  FUZZ_REQUIRE(log.LogDirty, why);
  FUZZ_REQUIRE(text.starts_with(held), why);
  FUZZ_REQUIRE(EndsWithBreak(text) == (held.empty() || EndsWithBreak(held)), why);
  // The line stands alone: a break (or the start) before it, a break or the end after it.
  std::string_view added(text);
  added.remove_prefix(held.size());
  if (!held.empty() && !EndsWithBreak(held)) {
    FUZZ_REQUIRE(added.starts_with(CrLf), why);
    added.remove_prefix(CrLf.size());
  }
  if (added.ends_with(CrLf) && !line.ends_with(CrLf)) added.remove_suffix(CrLf.size());
  FUZZ_REQUIRE(added == line, why);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  Fuzz::TFuzzInput input(data, size);
  const std::string line = input.Text('\n');
  const std::string file = input.Rest();
  CheckLoadedText(file);
  CheckAppend(Monitor::WithCrLfBreaks(file), line);
  CheckAppend(file, line);  // the user's edits can leave any bytes in the text
  return 0;
}
