// The integer conversion, TryParseIntEmptyZero and the checkpoint's reading
// of TripStatus, each held against the conversion rules written a second way.
// A failed conversion must leave the caller's value alone.
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "ReferenceInteger.h"
#include "calendar/Cdatlib.h"
#include "monitor/CheckpointFile.h"

namespace {

constexpr int32_t Untouched = 0x5EED;

std::string Shown(const std::string& text) { return "text [" + text + "]"; }

void CheckConvertInteger(const std::string& text) {
  const auto expected = Fuzz::ReferenceInteger(text);
  int32_t value = Untouched;
  const bool converted = Cdatlib::ConvertInteger(text, value);
  FUZZ_REQUIRE(converted == expected.has_value(), Shown(text));
  FUZZ_REQUIRE(value == (converted ? *expected : Untouched), Shown(text) + " gave " + std::to_string(value));
}

void CheckEmptyZero(const std::string& text) {
  const auto expected = text.empty() ? std::optional<int32_t>(0) : Fuzz::ReferenceInteger(text);
  int32_t value = Untouched;
  const bool converted = Cdatlib::TryParseIntEmptyZero(text, value);
  FUZZ_REQUIRE(converted == expected.has_value(), Shown(text));
  FUZZ_REQUIRE(value == (converted ? *expected : Untouched), Shown(text) + " gave " + std::to_string(value));
}

// A status read from the file: "0x" before more characters stands for "$";
// anything that does not convert is csNeverRun.
void CheckTripStatus(const std::string& text) {
  std::string number = text;
  if (number.size() > 2 && (number.starts_with("0x") || number.starts_with("0X"))) {
    number = "$" + number.substr(2);
  }
  const int32_t expected = Fuzz::ReferenceInteger(number).value_or(Monitor::csNeverRun);
  FUZZ_REQUIRE(Monitor::TripStatusOfText(text) == expected, Shown(text));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  CheckConvertInteger(text);
  CheckEmptyZero(text);
  CheckTripStatus(text);
  return 0;
}
