// ParseIsoDate and DateFromIsoText on any text, held against the reading
// rules: at least ten characters, not the "yyyy-mm-dd" placeholder, three
// pieces at fixed places each converted whole, fields modulo 65536, and the
// date untouched on failure. Dates made into text read back as themselves.
#include <cstdint>
#include <optional>
#include <string>

#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "ReferenceInteger.h"
#include "calendar/Cdatlib.h"

namespace {

using Cdatlib::TCalDate;

constexpr TCalDate Untouched = {4321, 43, 21};

std::string Shown(const TCalDate& d) {
  return std::to_string(d.Year) + "-" + std::to_string(d.Month) + "-" + std::to_string(d.Day);
}

bool IsPlaceholder(const std::string& text) {
  if (text.size() != 10) return false;
  std::string lower = text;
  for (char& c : lower) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
  return lower == "yyyy-mm-dd";
}

std::optional<TCalDate> ReferenceDate(const std::string& text) {
  if (text.size() < 10 || IsPlaceholder(text)) return std::nullopt;
  const auto year = Fuzz::ReferenceInteger(std::string_view(text).substr(0, 4));
  const auto month = Fuzz::ReferenceInteger(std::string_view(text).substr(5, 2));
  const auto day = Fuzz::ReferenceInteger(std::string_view(text).substr(8, 2));
  if (!year || !month || !day) return std::nullopt;
  return TCalDate{static_cast<uint16_t>(*year), static_cast<uint16_t>(*month), static_cast<uint16_t>(*day)};
}

void CheckText(const std::string& text) {
  const auto expected = ReferenceDate(text);
  TCalDate date = Untouched;
  const bool parsed = Cdatlib::ParseIsoDate(text, date);
  FUZZ_REQUIRE(parsed == expected.has_value(), "text [" + text + "]");
  const TCalDate want = parsed ? *expected : Untouched;
  FUZZ_REQUIRE(Cdatlib::SameDate(date, want), "text [" + text + "] gave " + Shown(date));
  const TCalDate viaValue = Cdatlib::DateFromIsoText(text);
  FUZZ_REQUIRE(Cdatlib::SameDate(viaValue, parsed ? want : TCalDate{0, 0, 0}), "text [" + text + "]");
}

// Fields that fit their places come back from their own text.
void CheckRoundTrip(TCalDate date) {
  if (date.Year > 9999 || date.Month > 99 || date.Day > 99) return;
  const std::string text = Cdatlib::IsoDateText(date);
  TCalDate back = Untouched;
  FUZZ_REQUIRE(Cdatlib::ParseIsoDate(text, back), "text [" + text + "] of " + Shown(date));
  FUZZ_REQUIRE(Cdatlib::SameDate(back, date), "text [" + text + "] gave " + Shown(back));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  CheckText(std::string(reinterpret_cast<const char*>(data), size));
  Fuzz::TFuzzInput input(data, size);
  const uint16_t year = input.Word();
  const uint16_t month = input.Word();
  CheckRoundTrip({year, month, input.Word()});
  return 0;
}
