// The calendar's entry points: a date picked as text or as a date.
#include <QCursor>
#include <QDialog>
#include <QLineEdit>
#include <stdexcept>

#include "dialogs/cal/Cal.h"
#include "dialogs/cal/TFCal.h"
#include "platform/qt/CursorPlacement.h"
#include "platform/qt/QtText.h"

namespace cal {

namespace {

TFCal* RequireFCal() {
  if (FCal == nullptr) throw std::logic_error("The calendar window has not been created");
  return FCal;
}

}  // namespace

bool PickDate(std::string& text) {
  Cdatlib::TCalDate date = Cdatlib::Today();
  Cdatlib::ParseIsoDate(text, date);
  if (!PickCalDate(date)) return false;
  LastPickedText = PlatformQt::FromQt(RequireFCal()->Edit1->text());
  text = LastPickedText;
  return true;
}

bool PickCalDate(Cdatlib::TCalDate& date) {
  TFCal* const window = RequireFCal();
  ShownDate = Cdatlib::IsPlausibleDate(date) ? date : Cdatlib::Today();
  window->RefreshCalendar();
  if (ShowCalendarAtCursor() != QDialog::Accepted) return false;
  date = ShownDate;
  return true;
}

int ShowCalendarAtCursor() {
  TFCal* const window = RequireFCal();
  const QPoint wanted = QCursor::pos() + QPoint(1, 1);
  PlatformQt::PlaceOnPrimaryScreen(window, wanted);
  return window->exec();
}

}  // namespace cal
