// Fixture of the dialog tests: fresh windows in the program's order, every
// module back at its start, and the driving of modal windows from inside
// their own loops.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QPointer>
#include <QScreen>
#include <QTableWidget>
#include <QTimer>
#include <memory>
#include <string>

#include "calendar/Cdatlib.h"
#include "dialogs/cal/Cal.h"
#include "dialogs/cal/TFCal.h"
#include "dialogs/inpstr/Inpstr.h"
#include "dialogs/inpstr/TFinpstr.h"
#include "platform/qt/CursorPlacement.h"
#include "platform/qt/ProgramCursor.h"
#include "platform/qt/QtText.h"
#include "support/CalDates.h"
#include "support/ModalBoxes.h"

// Closes the next message box with OK and keeps its text.
inline QPointer<QTimer> AnswerMessage(std::string& text) {
  return AnswerNextMessageBox([&text](QMessageBox& box) { text = PlatformQt::FromQt(box.text()); });
}

class DialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Cdatlib::Initialize();
    cal::Initialize();
    inpstr::Initialize();
    PlatformQt::LastDialogPoint = {0, 0};
    PlatformQt::LastBoxClosePoint = {0, 0};
    // The program creates the input window before the calendar.
    Input = std::make_unique<inpstr::TFinpstr>();
    Calendar = std::make_unique<cal::TFCal>();
    QCursor::setPos(100, 100);
  }

  void TearDown() override {
    Calendar.reset();
    Input.reset();
    PlatformQt::ClearProgramCursor();
    Cdatlib::CloseOnPick = false;
    Cdatlib::Initialize();
  }

  static QRect Screen() { return QGuiApplication::primaryScreen()->geometry(); }

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
