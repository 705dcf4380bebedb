// RefreshCalendar of the calendar dialog: captions, date box and month grid
// for a new shown date, on the offscreen platform. Once as the dialog runs
// it before showing, and once in a shown dialog with the repaint it causes.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <array>
#include <memory>

#include "calendar/Cdatlib.h"
#include "dialogs/cal/Cal.h"
#include "dialogs/cal/TFCal.h"
#include "dialogs/inpstr/Inpstr.h"
#include "dialogs/inpstr/TFinpstr.h"

namespace {

// Months of every length and first weekday, the transition month among them,
// so that each refresh changes the grid.
constexpr std::array<Cdatlib::TCalDate, 6> Dates = {{
    {2026, 12, 7},
    {2027, 2, 28},
    {1752, 9, 14},
    {2024, 2, 29},
    {1999, 8, 31},
    {2030, 6, 1},
}};

struct Dialogs {
  Dialogs() {
    Cdatlib::Initialize();
    cal::Initialize();
    inpstr::Initialize();
    input = std::make_unique<inpstr::TFinpstr>();
    calendar = std::make_unique<cal::TFCal>();
  }
  std::unique_ptr<inpstr::TFinpstr> input;
  std::unique_ptr<cal::TFCal> calendar;
};

void RefreshCalendar(benchmark::State& state) {
  Dialogs dialogs;
  size_t i = 0;
  for (auto _ : state) {
    cal::ShownDate = Dates[i++ % Dates.size()];
    dialogs.calendar->RefreshCalendar();
  }
}

void RefreshCalendarShownAndPainted(benchmark::State& state) {
  Dialogs dialogs;
  dialogs.calendar->show();
  QApplication::processEvents();
  size_t i = 0;
  for (auto _ : state) {
    cal::ShownDate = Dates[i++ % Dates.size()];
    dialogs.calendar->RefreshCalendar();
    dialogs.calendar->repaint();
  }
  dialogs.calendar->hide();
}

BENCHMARK(RefreshCalendar)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(RefreshCalendarShownAndPainted)->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace
