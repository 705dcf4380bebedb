// The month walk behind the grid, under transitions no options page would
// accept as well as sound ones.
#include "dialogs/cal/MonthGrid.h"
#include "support/CdatlibTest.h"

using Cdatlib::TCalDate;

namespace {

class MonthGridTest : public CdatlibTest {};

TEST_F(MonthGridTest, EveryWalkEndsWithEachDayOnceInItsWeekdayColumn) {
  struct Transition {
    TCalDate lastJulian, firstGregorian;
  } transitions[] = {
      {{1752, 9, 2}, {1752, 9, 14}}, {{1700, 2, 18}, {1700, 3, 1}}, {{1700, 1, 31}, {1700, 3, 5}},
      {{1752, 9, 14}, {1752, 9, 2}}, {{1752, 9, 2}, {1752, 9, 2}},  {{1600, 2, 29}, {1600, 3, 11}},
  };
  // The walk pads the day cells with blanks and leaves the pad character as it found it.
  Cdatlib::PadChar = '*';
  for (const Transition& t : transitions) {
    Cdatlib::ApplyTransition(t.lastJulian, t.firstGregorian);
    const bool sound = Cdatlib::DateAfter(t.firstGregorian, t.lastJulian);
    for (TCalDate shown : {t.lastJulian, t.firstGregorian, TCalDate{t.lastJulian.Year, 2, 1}}) {
      const cal::TMonthGrid grid = cal::MonthGridOf(shown);
      int previous = 0;
      for (int index = 0; index < 42; ++index) {
        const std::string& text = grid.Days[index];
        if (text.empty()) continue;
        const int day = std::stoi(text);
        EXPECT_EQ(text, cal::DayCellText(static_cast<uint16_t>(day)));
        EXPECT_GT(day, previous) << shown << " cell " << index;
        previous = day;
        const TCalDate date{shown.Year, shown.Month, static_cast<uint16_t>(day)};
        if (sound) {
          EXPECT_EQ(index % 7, Cdatlib::WeekdayOf(date) - 1) << date;
        }
      }
    }
  }
  EXPECT_EQ(Cdatlib::PadChar, '*');
}

TEST_F(MonthGridTest, CurrentCellOnlyForADayTheMonthShows) {
  struct Case {
    TCalDate shown;
    bool hasCurrent;
    int column, row;
  } cases[] = {
      {{2017, 12, 1}, true, 4, 1},  {{2017, 12, 31}, true, 6, 5}, {{2017, 2, 31}, false, 0, 0},
      {{1752, 9, 5}, false, 0, 0},  {{2017, 12, 0}, false, 0, 0}, {{0, 5, 10}, false, 0, 0},
      {{2017, 13, 1}, false, 0, 0}, {{2017, 7, 31}, true, 0, 6},
  };
  for (const Case& c : cases) {
    const cal::TMonthGrid grid = cal::MonthGridOf(c.shown);
    EXPECT_EQ(grid.HasCurrent, c.hasCurrent) << c.shown;
    if (!c.hasCurrent) continue;
    EXPECT_EQ(grid.CurrentColumn, c.column) << c.shown;
    EXPECT_EQ(grid.CurrentRow, c.row) << c.shown;
  }
}

TEST_F(MonthGridTest, YearZeroAndMonthsPastDecemberShowNoDays) {
  for (TCalDate shown : {TCalDate{0, 5, 10}, TCalDate{2017, 13, 1}, TCalDate{2017, 0, 1}}) {
    const cal::TMonthGrid grid = cal::MonthGridOf(shown);
    for (const std::string& cell : grid.Days) EXPECT_EQ(cell, "") << shown;
  }
}

}  // namespace
