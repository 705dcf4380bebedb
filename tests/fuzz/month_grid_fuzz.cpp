// The calendar dialog's grid walk for any shown date under any transition.
// The walk must end, keep to the six rows, and fill the cells from the first
// day's weekday on with the month's days in order, each once, without the
// skipped days; the current cell is the shown day's. Under a transition of
// two real days in the right order, every day also stands in its weekday's
// column. The pad character is back to "0" afterwards.
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "calendar/Cdatlib.h"
#include "dialogs/cal/MonthGrid.h"
#include "dialogs/cal/RealDays.h"

namespace {

using Cdatlib::TCalDate;

std::string Shown(TCalDate d) {
  return std::to_string(d.Year) + "-" + std::to_string(d.Month) + "-" + std::to_string(d.Day);
}

bool IsRealDay(TCalDate d, bool julian) {
  if (d.Year < 1 || d.Year > 9998 || d.Month < 1 || d.Month > 12 || d.Day < 1) return false;
  const bool leap = julian ? d.Year % 4 == 0 : Cdatlib::IsGregorianLeapYear(d.Year);
  const int length = d.Month == 2 && leap ? 29 : Cdatlib::StandardMonthLengths[d.Month];
  return d.Day <= length;
}

bool SoundTransition() {
  return IsRealDay(Cdatlib::LastJulianDay, true) && IsRealDay(Cdatlib::FirstGregorianDay, false) &&
         Cdatlib::DateBefore(Cdatlib::LastJulianDay, Cdatlib::FirstGregorianDay);
}

std::string CellMismatch(const std::string& why, int cell, const std::string& holds, const std::string& want) {
  std::string text = why;
  text.append(": cell ").append(std::to_string(cell)).append(" holds [").append(holds);
  return text.append("], not [").append(want).append("]");
}

void CheckGrid(TCalDate shown) {
  const cal::TMonthGrid grid = cal::MonthGridOf(shown);
  const std::string why = "shown " + Shown(shown) + " transition " + Shown(Cdatlib::LastJulianDay) + " / " +
                          Shown(Cdatlib::FirstGregorianDay);
  FUZZ_REQUIRE(Cdatlib::PadChar == '0', why);

  std::vector<uint16_t> days;  // the days the grid should hold, in order
  if (shown.Year != 0 && shown.Month >= 1 && shown.Month <= 12) {
    const int length = cal::MonthLength(shown.Year, shown.Month, cal::TCalendarRule::Transition);
    for (int day = 1; day <= length; ++day) {
      if (!cal::InSkippedDays({shown.Year, shown.Month, static_cast<uint16_t>(day)})) {
        days.push_back(static_cast<uint16_t>(day));
      }
    }
  }
  const int cells = static_cast<int>(grid.Days.size());
  const int first = days.empty() ? 0 : Cdatlib::WeekdayOf({shown.Year, shown.Month, days.front()}) - 1;
  FUZZ_REQUIRE(first >= 0 && first < 7, why);
  const bool weekdaysHold = SoundTransition() && shown.Year <= 9999;

  bool currentSeen = false;
  for (int cell = 0; cell < cells; ++cell) {
    const int k = cell - first;
    const bool filled = k >= 0 && k < static_cast<int>(days.size());
    const std::string want = filled ? cal::DayCellText(days[k]) : "";
    FUZZ_REQUIRE(grid.Days[cell] == want, CellMismatch(why, cell, grid.Days[cell], want));
    if (!filled) continue;
    const TCalDate date{shown.Year, shown.Month, days[k]};
    if (weekdaysHold) {
      FUZZ_REQUIRE(Cdatlib::WeekdayOf(date) - 1 == cell % 7, why + ": " + Shown(date) + " in the wrong column");
    }
    if (days[k] == shown.Day) {
      currentSeen = true;
      FUZZ_REQUIRE(grid.HasCurrent && grid.CurrentColumn == cell % 7 && grid.CurrentRow == cell / 7 + 1,
                   why + ": current cell");
    }
  }
  FUZZ_REQUIRE(grid.HasCurrent == currentSeen, why + ": current cell where the day is not shown");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  Fuzz::TFuzzInput input(data, size);
  const Cdatlib::TCalDate lastJulian{input.Word(), input.Word(), input.Word()};
  const Cdatlib::TCalDate firstGregorian{input.Word(), input.Word(), input.Word()};
  Cdatlib::ApplyTransition(lastJulian, firstGregorian);
  CheckGrid({input.Word(), input.Word(), input.Word()});
  return 0;
}
