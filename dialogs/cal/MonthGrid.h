// The day cells of one month as the calendar grid shows them: seven columns,
// Monday first, six rows of days, the days the transition skipped left out.
#pragma once

#include <array>
#include <string>

#include "calendar/Cdatlib.h"

namespace cal {

struct TMonthGrid {
  static constexpr int Columns = 7;
  static constexpr int DayRows = 6;
  // Rows 1 to 6 of the grid, row by row; row 0 is the weekday header.
  std::array<std::string, static_cast<size_t>(Columns) * DayRows> Days;
  // The cell of the shown date's day number, when the month shows that day.
  bool HasCurrent = false;
  int CurrentColumn = 0;
  int CurrentRow = 0;

  const std::string& Cell(int column, int row) const { return Days[(row - 1) * Columns + column]; }
};

// A day cell: two blanks and the day number filled with blanks to two places.
std::string DayCellText(uint16_t day);

// The month of shown, in the calendar of the library's transition. Year 0 and
// months outside 1 to 12 give no days at all.
TMonthGrid MonthGridOf(Cdatlib::TCalDate shown);

}  // namespace cal
