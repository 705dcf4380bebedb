#include "monitor/StampMinutes.h"

#include "calendar/Cdatlib.h"

namespace Monitor {

namespace {

constexpr int64_t MinutesPerDay = int64_t{24} * 60;

// The number of the digits at [from, from + count), or -1 if one is no digit.
int64_t DigitsAt(std::string_view text, std::size_t from, std::size_t count) {
  int64_t value = 0;
  for (std::size_t i = from; i < from + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

Cdatlib::TCalDate DateOf(int64_t minutes) { return Cdatlib::DateOfUnixDay(Cdatlib::FloorDiv(minutes, MinutesPerDay)); }

}  // namespace

std::optional<int64_t> MinutesOfStamp(std::string_view text) {
  if (text.size() != StampLength || text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':') {
    return std::nullopt;
  }
  const int64_t year = DigitsAt(text, 0, 4), month = DigitsAt(text, 5, 2), day = DigitsAt(text, 8, 2);
  const int64_t hour = DigitsAt(text, 11, 2), minute = DigitsAt(text, 14, 2);
  if (year < 1 || month < 1 || month > 12 || day < 1 || hour < 0 || hour > 23 || minute < 0 || minute > 59) {
    return std::nullopt;
  }
  if (day >
      Cdatlib::DaysInMonth(static_cast<int32_t>(year), static_cast<int32_t>(month), Cdatlib::TLeapRule::Gregorian)) {
    return std::nullopt;
  }
  const Cdatlib::TCalDate date{static_cast<uint16_t>(year), static_cast<uint16_t>(month), static_cast<uint16_t>(day)};
  return Cdatlib::UnixDayOfDate(date) * MinutesPerDay + hour * 60 + minute;
}

int64_t MinutesOfDateTime(const Cdatlib::TCalDateTime& dateTime) {
  return Cdatlib::UnixDayOfDate(dateTime.Date) * MinutesPerDay + int64_t{dateTime.Time.Hour} * 60 +
         dateTime.Time.Minute;
}

std::string StampOfMinutes(int64_t minutes) {
  const int64_t minuteOfDay = minutes - Cdatlib::FloorDiv(minutes, MinutesPerDay) * MinutesPerDay;
  return DateOfMinutes(minutes) + " " +
         Cdatlib::ShortTimeText({static_cast<uint16_t>(minuteOfDay / 60), static_cast<uint16_t>(minuteOfDay % 60), 0});
}

std::string DateOfMinutes(int64_t minutes) { return Cdatlib::IsoDateText(DateOf(minutes)); }

int64_t MonthOfMinutes(int64_t minutes) { return Cdatlib::MonthIndex(DateOf(minutes)); }

std::string DurationText(int64_t minutes) {
  if (minutes < 60) return std::to_string(minutes) + " min";
  if (minutes < MinutesPerDay) return std::to_string(minutes / 60) + " h " + std::to_string(minutes % 60) + " min";
  return std::to_string(minutes / MinutesPerDay) + " d " + std::to_string(minutes % MinutesPerDay / 60) + " h";
}

namespace {

// The number that a text of decimal digits alone names, or nothing.
std::optional<int64_t> Count(std::string_view digits) {
  if (digits.empty() || digits.size() > 9) return std::nullopt;
  const int64_t value = DigitsAt(digits, 0, digits.size());
  return value < 0 ? std::nullopt : std::optional<int64_t>(value);
}

}  // namespace

std::optional<int64_t> MinutesOfDurationText(std::string_view text) {
  // Each form is two numbers and their units, or one number and "min".
  const std::size_t firstBlank = text.find(' ');
  const std::optional<int64_t> first = Count(text.substr(0, firstBlank));
  if (!first || firstBlank == std::string_view::npos) return std::nullopt;
  const std::string_view rest = text.substr(firstBlank + 1);
  if (rest == "min") return *first < 60 ? first : std::nullopt;
  const bool hours = rest.starts_with("h "), days = rest.starts_with("d ");
  if (!hours && !days) return std::nullopt;
  const std::string_view second = rest.substr(2);
  const std::size_t blank = second.find(' ');
  const std::optional<int64_t> amount = Count(second.substr(0, blank));
  if (!amount || blank == std::string_view::npos || second.substr(blank + 1) != (hours ? "min" : "h")) {
    return std::nullopt;
  }
  if (hours && *first >= 1 && *first < 24 && *amount < 60) return *first * 60 + *amount;
  if (days && *first >= 1 && *amount < 24) return *first * MinutesPerDay + *amount * 60;
  return std::nullopt;
}

std::string OffsetText(int64_t offsetSeconds) {
  const int64_t minutes = (offsetSeconds < 0 ? -offsetSeconds : offsetSeconds) / 60;
  std::string text = offsetSeconds < 0 ? "-" : "+";
  text += Cdatlib::ShortTimeText({static_cast<uint16_t>(minutes / 60), static_cast<uint16_t>(minutes % 60), 0});
  return text;
}

std::optional<int64_t> OffsetOfText(std::string_view text) {
  if (text.size() != 6 || (text[0] != '+' && text[0] != '-') || text[3] != ':') return std::nullopt;
  const int64_t hours = DigitsAt(text, 1, 2), minutes = DigitsAt(text, 4, 2);
  constexpr int64_t MostMinutes = int64_t{18} * 60;  // no zone is further from UTC
  if (hours < 0 || minutes < 0 || minutes > 59 || hours * 60 + minutes > MostMinutes) return std::nullopt;
  const int64_t seconds = (hours * 60 + minutes) * 60;
  return text[0] == '-' ? -seconds : seconds;
}

}  // namespace Monitor
