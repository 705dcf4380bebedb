// The walk over one month's days into the grid's cells.
#include "dialogs/cal/MonthGrid.h"

#include "dialogs/cal/RealDays.h"

namespace cal {

using Cdatlib::TCalDate;

namespace {

// Day cells are filled with blanks; every other date text wants the pad
// character it had before.
class TBlankPadding {
 public:
  TBlankPadding() : previous_(Cdatlib::PadChar) { Cdatlib::PadChar = ' '; }
  ~TBlankPadding() { Cdatlib::PadChar = previous_; }
  TBlankPadding(const TBlankPadding&) = delete;
  TBlankPadding& operator=(const TBlankPadding&) = delete;

 private:
  char previous_;
};

}  // namespace

std::string DayCellText(uint16_t day) {
  const TBlankPadding padding;
  return "  " + Cdatlib::PadNumber(day, 2);
}

TMonthGrid MonthGridOf(TCalDate shown) {
  TMonthGrid grid;
  // Year 0 has no weekdays, and only months 1 to 12 have lengths.
  if (shown.Year == 0 || shown.Month < 1 || shown.Month > 12) return grid;

  const int length = MonthLength(shown.Year, shown.Month, TCalendarRule::Transition);
  // The walk covers the shown month only: a transition into a later month
  // ends it at the last Julian day, and one from an earlier month starts it at
  // the first Gregorian day. Each day shown follows the one before by one
  // weekday, so the cells after the first one fall into place.
  int cell = -1;
  for (int day = 1; day <= length; ++day) {
    const TCalDate date{shown.Year, shown.Month, static_cast<uint16_t>(day)};
    if (InSkippedDays(date)) continue;
    cell = cell < 0 ? Cdatlib::WeekdayOf(date) - 1 : cell + 1;
    if (cell >= static_cast<int>(grid.Days.size())) break;
    grid.Days[cell] = DayCellText(date.Day);
    if (date.Day == shown.Day) {
      grid.HasCurrent = true;
      grid.CurrentColumn = cell % TMonthGrid::Columns;
      grid.CurrentRow = cell / TMonthGrid::Columns + 1;
    }
  }
  return grid;
}

}  // namespace cal
