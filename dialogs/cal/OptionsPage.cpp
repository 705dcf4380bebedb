// The "Options" page: the transition's two dates, the national presets, and
// applying a pair to the whole calendar.
#include <QLineEdit>
#include <QTabWidget>

#include "calendar/Cdatlib.h"
#include "dialogs/cal/Cal.h"
#include "dialogs/cal/TFCal.h"
#include "dialogs/cal/Transition.h"
#include "platform/qt/MessageAtCursor.h"
#include "platform/qt/PopupAtCursor.h"
#include "platform/qt/QtText.h"

namespace cal {

using PlatformQt::FromQt;
using PlatformQt::ToQt;

void TFCal::PageControl1Change() {
  if (PageControl1->currentWidget() == TabSheet2) TabSheet2Show();
}

void TFCal::TabSheet2Show() {
  // Text typed or taken from a preset and then left unapplied is dropped.
  Edit2->setText(ToQt(Cdatlib::IsoDateText(Cdatlib::LastJulianDay)));
  Edit3->setText(ToQt(Cdatlib::IsoDateText(Cdatlib::FirstGregorianDay)));
}

void TFCal::DeftsBtnClick() { PlatformQt::PopupAtCursor(PopupMenu3); }

void TFCal::SpainPortugalItalyPoland1Click() { TakePreset(0); }

void TFCal::France1Click() { TakePreset(1); }

void TFCal::DenmarkNorway1Click() { TakePreset(2); }

void TFCal::objectRadioButton2TRadioButton1Click() { TakePreset(3); }

void TFCal::TakePreset(size_t index) {
  Edit2->setText(TransitionPresets[index].LastJulianDay);
  Edit3->setText(TransitionPresets[index].FirstGregorianDay);
}

void TFCal::Button2Click() {
  Cdatlib::TCalDate lastJulian{0, 0, 0};
  Cdatlib::TCalDate firstGregorian{0, 0, 0};
  if (!Cdatlib::ParseIsoDate(FromQt(Edit2->text()), lastJulian)) return;
  if (!Cdatlib::ParseIsoDate(FromQt(Edit3->text()), firstGregorian)) return;
  if (const std::string problem = TransitionPairProblem(lastJulian, firstGregorian); !problem.empty()) {
    PlatformQt::ShowMessageAtCursor(problem);
    return;
  }
  Cdatlib::ApplyTransition(lastJulian, firstGregorian);
  PageControl1->setCurrentWidget(TabSheet1);
  ShownDate = firstGregorian;
  RefreshCalendar();
}

void TFCal::Button4Click() { PageControl1->setCurrentWidget(TabSheet1); }

}  // namespace cal
