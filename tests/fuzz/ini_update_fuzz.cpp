// The INI layer on any text: a key is written into the content and read back.
// The read must give the value written, and a line-by-line comparison of the
// old and new content must find every other line unchanged: only the key's
// own line replaced, or the key added (with its section header when the
// section was missing), and at most a line break added to the old last line.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "platform/IniLines.h"
#include "platform/IniText.h"
#include "platform/TextLines.h"

namespace {

using Platform::CrLf;

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

struct TLine {
  std::string_view Text;
  std::string_view Break;  // "\r\n", "\r", "\n" or "" for a last line without one
};

// Split independently of the code under test: CR LF, a lone CR and a lone LF
// each end a line.
std::vector<TLine> LinesOf(std::string_view content) {
  std::vector<TLine> lines;
  std::size_t begin = 0;
  while (begin < content.size()) {
    std::size_t end = begin;
    while (end < content.size() && content[end] != '\r' && content[end] != '\n') ++end;
    std::size_t breakLength = 0;
    if (end < content.size()) {
      breakLength = content.compare(end, 2, CrLf) == 0 ? 2 : 1;
    }
    lines.push_back({content.substr(begin, end - begin), content.substr(end, breakLength)});
    begin = end + breakLength;
  }
  return lines;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Trimmed(std::string text) {
  while (!text.empty() && IsBlank(text.front())) text.erase(0, 1);
  while (!text.empty() && IsBlank(text.back())) text.pop_back();
  return text;
}

std::string Without(const std::string& text, std::string_view unwanted) {
  std::string kept;
  for (const char c : text) {
    if (unwanted.find(c) == std::string_view::npos) kept.push_back(c);
  }
  return kept;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

// What the program writes: names and values a private-profile file can hold
// and give back unchanged.
struct TUpdate {
  std::string Section, Key, Value;
};

TUpdate WellFormed(Fuzz::TFuzzInput& input) {
  static const char* const Keys[] = {"TripStatus", "TripTS", "tripstatus", "TRIPTS"};
  TUpdate update;
  const uint8_t mode = input.Byte();
  if (mode % 2 == 0) {
    update.Section = mode & 2 ? "MAIN" : "main";
    update.Key = Keys[(mode >> 2) % 4];
  } else {
    update.Section = Trimmed(Without(input.Text(), "]\r\n"));
    update.Key = Trimmed(Without(input.Text(), "=\r\n"));
    if (update.Key.empty() || update.Key.find_first_of("[;#") == 0) update.Key.insert(0, "k");
  }
  // Cut before trimming: a cut can end the value on a blank, which reading trims.
  update.Value = Trimmed(Without(input.Text(), "\r\n").substr(0, Platform::IniValueLimit - 1));
  const std::string& v = update.Value;
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    update.Value.push_back('x');  // a quoted value would lose its quotes on reading
  }
  return update;
}

std::string Describe(const TUpdate& update, std::string_view before, std::string_view after) {
  return "section [" + update.Section + "] key " + update.Key + " value " + update.Value +
         "\n  before: " + std::string(before) + "\n  after: " + std::string(after);
}

bool IsKeyLineOf(std::string_view text, std::string_view key) {
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) return false;
  return SameName(Trimmed(std::string(text.substr(0, equals))), key);
}

void CheckOnlyTheKeyChanged(const TUpdate& u, std::string_view before, std::string_view after) {
  const std::string why = Describe(u, before, after);
  const bool hadMark = before.starts_with(ByteOrderMark);
  FUZZ_REQUIRE(after.starts_with(ByteOrderMark) == hadMark, "byte-order mark changed\n  " + why);
  if (hadMark) {
    before.remove_prefix(ByteOrderMark.size());
    after.remove_prefix(ByteOrderMark.size());
  }
  const std::vector<TLine> o = LinesOf(before);
  const std::vector<TLine> n = LinesOf(after);

  std::size_t prefix = 0;
  while (prefix < o.size() && prefix < n.size() && o[prefix].Text == n[prefix].Text) ++prefix;
  std::size_t suffix = 0;
  while (suffix < o.size() - prefix && suffix < n.size() - prefix &&
         o[o.size() - 1 - suffix].Text == n[n.size() - 1 - suffix].Text) {
    ++suffix;
  }
  const std::size_t oldMiddle = o.size() - prefix - suffix;
  const std::size_t newMiddle = n.size() - prefix - suffix;
  const std::string keyLine = u.Key + "=" + u.Value;

  if (oldMiddle == 1 && newMiddle == 1) {  // the key's line replaced
    const std::string_view old = o[prefix].Text;
    FUZZ_REQUIRE(IsKeyLineOf(old, u.Key), "a line that is not the key's changed\n  " + why);
    const std::string spelling = Trimmed(std::string(old.substr(0, old.find('='))));
    FUZZ_REQUIRE(n[prefix].Text == spelling + "=" + u.Value, why);
    FUZZ_REQUIRE(n[prefix].Break == CrLf, why);
  } else if (oldMiddle == 0 && newMiddle == 1) {  // added to its section
    FUZZ_REQUIRE(n[prefix].Text == keyLine, "added line\n  " + why);
    FUZZ_REQUIRE(n[prefix].Break == CrLf, why);
  } else if (oldMiddle == 0 && newMiddle == 2) {  // the section added at the end
    FUZZ_REQUIRE(suffix == 0, "section added before the end\n  " + why);
    FUZZ_REQUIRE(n[prefix].Text == "[" + u.Section + "]" && n[prefix + 1].Text == keyLine, why);
    FUZZ_REQUIRE(n[prefix].Break == CrLf && n[prefix + 1].Break == CrLf, why);
  } else {
    FUZZ_REQUIRE(oldMiddle == 0 && newMiddle == 0, "more than the key's lines changed\n  " + why);
  }

  // Every unchanged line keeps its line break, except that the old last line
  // gets one when something is added after it, and the key's own line when
  // only its break changed.
  for (std::size_t i = 0; i < prefix; ++i) {
    if (o[i].Break == n[i].Break) continue;
    const bool lastGotBreak = i + 1 == o.size() && o[i].Break.empty() && n[i].Break == CrLf;
    const bool keyLineRewritten = newMiddle == 0 && IsKeyLineOf(o[i].Text, u.Key) && n[i].Break == CrLf;
    FUZZ_REQUIRE(lastGotBreak || keyLineRewritten, "line break changed\n  " + why);
  }
  for (std::size_t k = 0; k < suffix; ++k) {
    const TLine& was = o[o.size() - 1 - k];
    const TLine& is = n[n.size() - 1 - k];
    const bool keyLineRewritten = newMiddle == 0 && IsKeyLineOf(was.Text, u.Key) && is.Break == CrLf;
    FUZZ_REQUIRE(was.Break == is.Break || keyLineRewritten, "line break changed\n  " + why);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  Fuzz::TFuzzInput input(data, size);
  const TUpdate update = WellFormed(input);
  const std::string content = input.Rest();

  // Any read of any text ends and keeps to the limit.
  if (const auto any = Platform::FindIniValue(content, update.Section, update.Key)) {
    FUZZ_REQUIRE(any->size() <= Platform::IniValueLimit, "value over the limit");
  }

  const std::string updated = Platform::WithIniValue(content, update.Section, update.Key, update.Value);
  const auto readBack = Platform::FindIniValue(updated, update.Section, update.Key);
  FUZZ_REQUIRE(readBack.has_value(), "key missing after the write\n  " + Describe(update, content, updated));
  FUZZ_REQUIRE(*readBack == update.Value, "read back " + *readBack + "\n  " + Describe(update, content, updated));
  CheckOnlyTheKeyChanged(update, content, updated);
  return 0;
}
