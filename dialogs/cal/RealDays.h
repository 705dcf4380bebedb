// Whether a date is a day that exists, in the Julian calendar, the Gregorian
// calendar or the library's calendar with its transition, and why not.
#pragma once

#include <cstdint>
#include <string>

#include "calendar/Cdatlib.h"

namespace cal {

enum class TCalendarRule { Julian, Gregorian, Transition };

// Days in a month 1..12 of a year under the rule. Under the transition a
// February takes the leap rule of its 29th day, so that a month the
// transition cuts ends as its later calendar ends it.
int MonthLength(uint16_t year, uint16_t month, TCalendarRule rule);

// True for the days between the last Julian and the first Gregorian day.
bool InSkippedDays(Cdatlib::TCalDate date);

// Why the date is not a day under the rule, within the years 1 to lastYear;
// the empty text when it is one.
std::string DayProblem(Cdatlib::TCalDate date, TCalendarRule rule, int lastYear);

// Why a text typed into the calendar's date box cannot be picked; the empty
// text when it is a day of the calendar.
std::string PickedTextProblem(const std::string& text);

// Why a year typed for the calendar cannot be shown; the empty text when it can.
std::string YearEntryProblem(int32_t year);

}  // namespace cal
