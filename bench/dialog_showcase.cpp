// Opens one of the date-picking dialogs through its real entry point, on
// the current display, so that a script can take a screenshot of it; the
// program stays until it is killed or the dialog is closed. No menu of the
// running program opens these dialogs, hence this stand-in for a caller.
//   dialog_showcase calendar|options|input|year
#include <QApplication>
#include <QTabWidget>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "calendar/Cdatlib.h"
#include "dialogs/cal/Cal.h"
#include "dialogs/cal/TFCal.h"
#include "dialogs/inpstr/Inpstr.h"
#include "dialogs/inpstr/TFinpstr.h"

int main(int argc, char** argv) {
  const std::string what = argc > 1 ? argv[1] : "";
  Cdatlib::Initialize();
  inpstr::Initialize();
  cal::Initialize();
  QApplication app(argc, argv);
  // Created as the program creates them: the input dialog first.
  auto input = std::make_unique<inpstr::TFinpstr>();
  auto calendar = std::make_unique<cal::TFCal>();

  // The transition month shows the widest grid walk and the skipped days.
  std::string date = "1752-09-14";
  int32_t year = 2026;
  if (what == "calendar") {
    cal::PickDate(date);
  } else if (what == "options") {
    calendar->PageControl1->setCurrentWidget(calendar->TabSheet2);
    cal::PickDate(date);
  } else if (what == "input") {
    std::string text = "2026-12-07";
    inpstr::InputText("Date of the last check", "as yyyy-mm-dd, or pick it", text);
  } else if (what == "year") {
    inpstr::InputNumber("Enter year", year);
  } else {
    std::fprintf(stderr, "usage: dialog_showcase calendar|options|input|year\n");
    return 2;
  }
  return 0;
}
