#include "monitor/StampMinutes.h"

#include <cstdio>

namespace Monitor {

namespace {

constexpr int64_t MinutesPerDay = 24 * 60;

// Proleptic Gregorian day counts from 1970-01-01 and back, with years that
// start in March so that the leap day falls at a year's end.
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day) {
  year -= month <= 2 ? 1 : 0;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

struct TCivil {
  int64_t Year, Month, Day;
};

TCivil CivilFromDays(int64_t days) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t dayOfEra = days - era * 146097;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
  const int64_t month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
  return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, dayOfYear - (153 * shiftedMonth + 2) / 5 + 1};
}

bool IsLeapYear(int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int64_t DaysInMonth(int64_t year, int64_t month) {
  constexpr int Lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : Lengths[month - 1];
}

// The number of the digits at [from, from + count), or -1 if one is no digit.
int64_t DigitsAt(std::string_view text, std::size_t from, std::size_t count) {
  int64_t value = 0;
  for (std::size_t i = from; i < from + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

int64_t FloorDiv(int64_t value, int64_t divisor) {
  return value / divisor - (value % divisor < 0 ? 1 : 0);
}

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
  if (day > DaysInMonth(year, month)) return std::nullopt;
  return DaysFromCivil(year, month, day) * MinutesPerDay + hour * 60 + minute;
}

std::string StampOfMinutes(int64_t minutes) {
  const int64_t minuteOfDay = minutes - FloorDiv(minutes, MinutesPerDay) * MinutesPerDay;
  char text[32];
  std::snprintf(text, sizeof text, "%s %02d:%02d", DateOfMinutes(minutes).c_str(),
                static_cast<int>(minuteOfDay / 60), static_cast<int>(minuteOfDay % 60));
  return text;
}

std::string DateOfMinutes(int64_t minutes) {
  const TCivil date = CivilFromDays(FloorDiv(minutes, MinutesPerDay));
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", static_cast<int>(date.Year), static_cast<int>(date.Month),
                static_cast<int>(date.Day));
  return text;
}

int64_t MonthOfMinutes(int64_t minutes) {
  const TCivil date = CivilFromDays(FloorDiv(minutes, MinutesPerDay));
  return date.Year * 12 + date.Month - 1;
}

std::string DurationText(int64_t minutes) {
  if (minutes < 60) return std::to_string(minutes) + " min";
  if (minutes < MinutesPerDay) return std::to_string(minutes / 60) + " h " + std::to_string(minutes % 60) + " min";
  return std::to_string(minutes / MinutesPerDay) + " d " + std::to_string(minutes % MinutesPerDay / 60) + " h";
}

}  // namespace Monitor
