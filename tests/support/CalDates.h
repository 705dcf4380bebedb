// Dates for the tests: comparing and printing them, setting a transition, and
// the transitions of the calendar's national presets.
#pragma once

#include <ostream>

#include "calendar/Cdatlib.h"

namespace Cdatlib {
inline bool operator==(TCalDate a, TCalDate b) { return a.Year == b.Year && a.Month == b.Month && a.Day == b.Day; }
inline bool operator==(TClockTime a, TClockTime b) {
  return a.Hour == b.Hour && a.Minute == b.Minute && a.Second == b.Second;
}
inline std::ostream& operator<<(std::ostream& out, TCalDate d) {
  return out << d.Year << '-' << d.Month << '-' << d.Day;
}
inline std::ostream& operator<<(std::ostream& out, TClockTime t) {
  return out << t.Hour << ':' << t.Minute << ':' << t.Second;
}
}  // namespace Cdatlib

// Makes the pair the library's transition, as the options page's OK does.
inline void UseTransition(Cdatlib::TCalDate lastJulian, Cdatlib::TCalDate firstGregorian) {
  Cdatlib::SetTransition(lastJulian);
  Cdatlib::FirstGregorianDay = firstGregorian;
}

struct NamedTransition {
  const char* name;
  Cdatlib::TCalDate lastJulian;
  Cdatlib::TCalDate firstGregorian;
};

// The transitions of the calendar's national presets and the default.
inline const NamedTransition Transitions[] = {
    {"GreatBritain", {1752, 9, 2}, {1752, 9, 14}},
    {"SpainPortugalItalyPoland", {1582, 10, 4}, {1582, 10, 15}},
    {"France", {1582, 12, 9}, {1582, 12, 20}},
    {"DenmarkNorway", {1700, 2, 18}, {1700, 3, 1}},
};
