// Day existence under the two calendars and the transition.
#include "dialogs/cal/RealDays.h"

namespace cal {

using Cdatlib::TCalDate;

namespace {

const char* const YearZeroProblem = "year 0 does not exist, the Julian calendar jumps from 1BC to 1AD";

std::string CalendarName(TCalendarRule rule) {
  switch (rule) {
    case TCalendarRule::Julian: return " in the Julian calendar";
    case TCalendarRule::Gregorian: return " in the Gregorian calendar";
    case TCalendarRule::Transition: break;
  }
  return "";
}

}  // namespace

int MonthLength(uint16_t year, uint16_t month, TCalendarRule rule) {
  bool julian = rule == TCalendarRule::Julian;
  if (rule == TCalendarRule::Transition) julian = Cdatlib::DateNotAfter({year, 2, 29}, Cdatlib::LastJulianDay);
  return Cdatlib::DaysInMonth(year, month, julian ? Cdatlib::TLeapRule::Julian : Cdatlib::TLeapRule::Gregorian);
}

bool InSkippedDays(TCalDate date) {
  return Cdatlib::DateAfter(date, Cdatlib::LastJulianDay) && Cdatlib::DateBefore(date, Cdatlib::FirstGregorianDay);
}

std::string DayProblem(TCalDate date, TCalendarRule rule, int lastYear) {
  if (date.Year == 0) return YearZeroProblem;
  if (date.Year > lastYear) return "the year must lie from 1 to " + std::to_string(lastYear);
  if (date.Month < 1 || date.Month > 12) return "there is no month " + std::to_string(date.Month);
  if (rule == TCalendarRule::Transition && InSkippedDays(date)) {
    return "the days after " + Cdatlib::IsoDateText(Cdatlib::LastJulianDay) + " and before " +
           Cdatlib::IsoDateText(Cdatlib::FirstGregorianDay) + " were skipped by the change to the Gregorian calendar";
  }
  const int length = MonthLength(date.Year, date.Month, rule);
  if (date.Day < 1 || date.Day > length) {
    return Cdatlib::MonthName(date.Month) + " " + std::to_string(date.Year) + " has " + std::to_string(length) +
           " days" + CalendarName(rule);
  }
  return "";
}

std::string PickedTextProblem(const std::string& text) {
  Cdatlib::TCalDate date{0, 0, 0};
  if (!Cdatlib::ParseIsoDate(text, date)) return "\"" + text + "\" is not a date of the form yyyy-mm-dd.";
  const std::string problem = DayProblem(date, TCalendarRule::Transition, 9999);
  if (problem.empty()) return "";
  return Cdatlib::IsoDateText(date) + " is not a day of the calendar: " + problem + ".";
}

std::string YearEntryProblem(int32_t year) {
  if (year == 0) {
    std::string message = YearZeroProblem;
    message.front() = Cdatlib::AsciiUpper(message.front());
    return message;
  }
  if (year < 1 || year > 9999)
    return "Year " + std::to_string(year) + " is outside the calendar: enter a year from 1 to 9999.";
  return "";
}

}  // namespace cal
