// The "Calendar" page: stepping the shown date, the month grid and the
// handlers of its buttons, menu and grid.
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>

#include "calendar/Cdatlib.h"
#include "dialogs/cal/Cal.h"
#include "dialogs/cal/MonthGrid.h"
#include "dialogs/cal/RealDays.h"
#include "dialogs/cal/TFCal.h"
#include "dialogs/inpstr/Inpstr.h"
#include "platform/qt/MessageAtCursor.h"
#include "platform/qt/PopupAtCursor.h"
#include "platform/qt/QtText.h"

namespace cal {

using PlatformQt::FromQt;
using PlatformQt::ToQt;

void TFCal::RefreshCalendar() {
  EnsureBuilt();
  YearBtn->setText(QString::number(ShownDate.Year));
  MonthBtn->setText(ToQt(Cdatlib::MonthName(ShownDate.Month)));
  Edit1->setText(ToQt(Cdatlib::DateWithShortWeekday(ShownDate)));
  FillMonthGrid();
}

void TFCal::FillMonthGrid() {
  EnsureBuilt();
  const TMonthGrid grid = MonthGridOf(ShownDate);
  for (int row = 1; row <= TMonthGrid::DayRows; ++row) {
    for (int column = 0; column < TMonthGrid::Columns; ++column) {
      StringGrid1->item(row, column)->setText(ToQt(grid.Cell(column, row)));
    }
  }
  // Without the shown day in the month the current cell stays where it was.
  if (grid.HasCurrent) {
    GridUpdating = true;
    StringGrid1->setCurrentCell(grid.CurrentRow, grid.CurrentColumn);
    GridUpdating = false;
  }
}

void TFCal::FillWeekdayHeader() {
  EnsureBuilt();
  for (int column = 0; column < TMonthGrid::Columns; ++column) {
    StringGrid1->item(0, column)->setText(ToQt(" " + Cdatlib::ShortDayName(column + 1)));
  }
}

bool TFCal::SelectDayFromGrid() {
  EnsureBuilt();
  const QTableWidgetItem* cell = StringGrid1->currentItem();
  if (cell == nullptr || cell->text().isEmpty()) return false;
  int32_t day = 0;
  if (!Cdatlib::ConvertInteger(FromQt(cell->text()), day)) return false;
  ShownDate.Day = static_cast<uint16_t>(day);
  return true;
}

void TFCal::AskYear() {
  EnsureBuilt();
  int32_t year = ShownDate.Year;
  if (!inpstr::InputNumber("Enter year", year)) return;
  if (const std::string problem = YearEntryProblem(year); !problem.empty()) {
    PlatformQt::ShowMessageAtCursor(problem);
    return;
  }
  ShownDate.Year = static_cast<uint16_t>(year);
  RefreshCalendar();
}

void TFCal::StepShownDate(void (*step)(Cdatlib::TCalDate&)) {
  step(ShownDate);
  RefreshCalendar();
}

void TFCal::SpeedButton1Click() { StepShownDate(Cdatlib::PrevYear); }

void TFCal::SpeedButton3Click() { StepShownDate(Cdatlib::NextYear); }

void TFCal::SpeedButton2Click() { StepShownDate(Cdatlib::PrevMonth); }

void TFCal::SpeedButton4Click() { StepShownDate(Cdatlib::NextMonth); }

void TFCal::YearBtnClick() { AskYear(); }

void TFCal::Panel1ContextPopup(const QPoint&) { AskYear(); }

void TFCal::MonthBtnClick() { PlatformQt::PopupAtCursor(PopupMenu2); }

void TFCal::Panel2ContextPopup(const QPoint& pos) { PopupMenu2->popup(Panel2->mapToGlobal(pos)); }

void TFCal::January1Click(QAction* item) {
  ShownDate.Month = static_cast<uint16_t>(PopupMenu2->actions().indexOf(item) + 1);
  RefreshCalendar();
}

void TFCal::Button1Click() {
  ShownDate = Cdatlib::Today();
  RefreshCalendar();
  if (Cdatlib::CloseOnPick) accept();
}

void TFCal::StringGrid1Click() {
  if (GridUpdating) return;
  if (!SelectDayFromGrid()) return;
  RefreshCalendar();
  if (Cdatlib::CloseOnPick) accept();
}

void TFCal::StringGrid1DblClick() {
  // The click before the double click has already refreshed.
  if (SelectDayFromGrid()) accept();
}

void TFCal::Edit1Click() { Edit1->selectAll(); }

void TFCal::okbtnClick() {
  const std::string text = FromQt(Edit1->text());
  if (const std::string problem = PickedTextProblem(text); !problem.empty()) {
    PlatformQt::ShowMessageAtCursor(problem);
    return;
  }
  ShownDate = Cdatlib::DateFromIsoText(text);
  accept();
}

}  // namespace cal
