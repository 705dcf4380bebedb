// The transition presets and the check of a typed pair.
#include "dialogs/cal/Transition.h"

#include "dialogs/cal/RealDays.h"

namespace cal {

const std::array<TTransitionPreset, 4> TransitionPresets{{
    {"Spain / Portugal / Italy / Poland ", "1582-10-04", "1582-10-15"},
    {"France", "1582-12-09", "1582-12-20"},
    {"Denmark / Norway", "1700-02-18", "1700-03-01"},
    {"Great Britain and (then) colonies", "1752-09-02", "1752-09-14"},
}};

std::string TransitionPairProblem(Cdatlib::TCalDate lastJulian, Cdatlib::TCalDate firstGregorian) {
  // 9999 stays out: the calendar's years end there, and its first Gregorian
  // day needs a Julian day before it.
  constexpr int LastYear = 9998;
  if (std::string problem = DayProblem(lastJulian, TCalendarRule::Julian, LastYear); !problem.empty()) {
    return "The last Julian day " + Cdatlib::IsoDateText(lastJulian) + " does not exist: " + problem + ".";
  }
  if (std::string problem = DayProblem(firstGregorian, TCalendarRule::Gregorian, LastYear); !problem.empty()) {
    return "The first Gregorian day " + Cdatlib::IsoDateText(firstGregorian) + " does not exist: " + problem + ".";
  }
  if (!Cdatlib::DateAfter(firstGregorian, lastJulian)) {
    return "The first Gregorian day " + Cdatlib::IsoDateText(firstGregorian) + " must come after the last Julian day " +
           Cdatlib::IsoDateText(lastJulian) + ".";
  }
  return "";
}

}  // namespace cal
