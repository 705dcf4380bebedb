// Dates for the tests: comparing and printing them.
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
