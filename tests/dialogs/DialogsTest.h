// Fixture of the dialog tests: fresh windows in the program's order, every
// module back at its start, and the driving of modal windows from inside
// their own loops.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "calendar/Cdatlib.h"
#include "dialogs/cal/Cal.h"
#include "dialogs/cal/TFCal.h"
#include "dialogs/inpstr/Inpstr.h"
#include "dialogs/inpstr/TFinpstr.h"
#include "platform/qt/CursorPlacement.h"
#include "platform/qt/ProgramCursor.h"
#include "platform/qt/QtText.h"

namespace Cdatlib {
inline bool operator==(TCalDate a, TCalDate b) { return a.Year == b.Year && a.Month == b.Month && a.Day == b.Day; }
inline std::ostream& operator<<(std::ostream& out, TCalDate d) { return out << IsoDateText(d); }
}  // namespace Cdatlib

// Runs action on the next modal window of type T as soon as it shows; the
// modal call that shows it must come after this. Deleting the timer handed
// back calls the wait off.
template <typename T>
QPointer<QTimer> WhenModal(std::function<void(T*)> action) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, action] {
    T* window = qobject_cast<T*>(QApplication::activeModalWidget());
    if (window == nullptr || !window->isVisible()) return;
    poll->stop();
    poll->deleteLater();
    action(window);
  });
  poll->start(5);
  return poll;
}

// Closes the next message box with OK and keeps its text.
inline QPointer<QTimer> AnswerMessage(std::string& text) {
  return WhenModal<QMessageBox>([&text](QMessageBox* box) {
    text = Cdatlib::FromQt(box->text());
    box->button(QMessageBox::Ok)->click();
  });
}

class DialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Cdatlib::Initialize();
    cal::Initialize();
    inpstr::Initialize();
    Cdatlib::LastDialogPoint = {0, 0};
    Cdatlib::LastBoxClosePoint = {0, 0};
    // The program creates the input window before the calendar.
    Input = std::make_unique<inpstr::TFinpstr>();
    Calendar = std::make_unique<cal::TFCal>();
    QCursor::setPos(100, 100);
  }

  void TearDown() override {
    Calendar.reset();
    Input.reset();
    Cdatlib::ClearProgramCursor();
    Cdatlib::CloseOnPick = false;
    Cdatlib::Initialize();
  }

  static QRect Screen() { return QGuiApplication::primaryScreen()->geometry(); }

  static void UseTransition(Cdatlib::TCalDate lastJulian, Cdatlib::TCalDate firstGregorian) {
    Cdatlib::SetTransition(lastJulian);
    Cdatlib::FirstGregorianDay = firstGregorian;
  }

  void Show(Cdatlib::TCalDate date) {
    cal::ShownDate = date;
    Calendar->RefreshCalendar();
  }

  // A grid row as the day numbers of its cells joined by "|", "" for an empty cell.
  std::string GridRow(int row) const {
    std::string joined;
    for (int column = 0; column < 7; ++column) {
      if (column > 0) joined += "|";
      joined += Calendar->StringGrid1->item(row, column)->text().trimmed().toStdString();
    }
    return joined;
  }

  // The grid cell that shows the day.
  QTableWidgetItem* DayCell(int day) const {
    const auto found = Calendar->StringGrid1->findItems(QString("%1").arg(day, 4), Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.front();
  }

  std::unique_ptr<inpstr::TFinpstr> Input;
  std::unique_ptr<cal::TFCal> Calendar;
};
