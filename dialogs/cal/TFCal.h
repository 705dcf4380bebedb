// The calendar window: a month grid to pick a date from, and an options page
// that sets the library's Julian-Gregorian transition.
#pragma once

#include <QDialog>

#include "calendar/Cdatlib.h"

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QToolButton;
class QFrame;

namespace cal {

class TFCal : public QDialog {
  Q_OBJECT

 public:
  // Makes the window, hidden, the module's FCal. Its pages and their
  // controls are built when first needed: on the first showing or the first
  // refresh, whichever comes first.
  explicit TFCal(QWidget* parent = nullptr);
  ~TFCal() override;

  // Builds the pages before the window first shows.
  void setVisible(bool visible) override;

  // Year, month, date box and day grid from ShownDate.
  void RefreshCalendar();
  void FillMonthGrid();
  void FillWeekdayHeader();
  // Takes the day of the grid's current cell into ShownDate; false for an empty cell.
  bool SelectDayFromGrid();
  // Asks for the year to show through the text input dialog.
  void AskYear();

  QTabWidget* PageControl1 = nullptr;  // the two pages, tabs at the bottom
  QWidget* TabSheet1 = nullptr;        // the "Calendar" page
  QWidget* TabSheet2 = nullptr;        // the "Options" page

  // The "Calendar" page.
  QFrame* Panel1 = nullptr;             // the year row; a right click asks for a year
  QToolButton* SpeedButton1 = nullptr;  // one year back
  QPushButton* YearBtn = nullptr;       // shows the year; a click asks for one
  QToolButton* SpeedButton3 = nullptr;  // one year on
  QFrame* Panel2 = nullptr;             // the month row; a right click opens the month menu
  QToolButton* SpeedButton2 = nullptr;  // one month back
  QPushButton* MonthBtn = nullptr;      // shows the month; a click opens the month menu
  QToolButton* SpeedButton4 = nullptr;  // one month on
  QTableWidget* StringGrid1 = nullptr;  // the weekday header and the month's days
  QFrame* Panel3 = nullptr;             // the bottom row
  QPushButton* Button1 = nullptr;       // "Today": shows today's date
  QLineEdit* Edit1 = nullptr;           // the shown date as text; OK takes what it holds
  QPushButton* okbtn = nullptr;         // OK: picks the date of Edit1
  QPushButton* Button3 = nullptr;       // Cancel
  QMenu* PopupMenu2 = nullptr;          // the month menu
  // The month menu's items, January to December.
  QAction *January1 = nullptr, *February1 = nullptr, *March1 = nullptr, *April1 = nullptr, *May1 = nullptr,
          *June1 = nullptr, *July1 = nullptr, *August1 = nullptr, *September1 = nullptr, *October1 = nullptr,
          *November1 = nullptr, *December1 = nullptr;

  // The "Options" page.
  QGroupBox* GroupBox1 = nullptr;   // the frame around the transition's settings
  QLabel* Label1 = nullptr;         // "last Julian day", the caption of Edit2
  QLineEdit* Edit2 = nullptr;       // the last Julian day
  QLabel* Label2 = nullptr;         // "first Gregorian day", the caption of Edit3
  QLineEdit* Edit3 = nullptr;       // the first Gregorian day
  QPushButton* DeftsBtn = nullptr;  // opens the menu of national presets
  QPushButton* Button2 = nullptr;   // OK: applies the pair of dates
  QPushButton* Button4 = nullptr;   // Cancel: back to the calendar page
  QMenu* PopupMenu3 = nullptr;      // the national presets
  // The presets: Spain and its neighbours, France, Denmark-Norway, Great Britain.
  QAction *SpainPortugalItalyPoland1 = nullptr, *France1 = nullptr, *DenmarkNorway1 = nullptr,
          *objectRadioButton2TRadioButton1 = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private slots:
  void SpeedButton1Click();
  void SpeedButton3Click();
  void SpeedButton2Click();
  void SpeedButton4Click();
  void YearBtnClick();
  void Panel1ContextPopup(const QPoint& pos);
  void MonthBtnClick();
  void Panel2ContextPopup(const QPoint& pos);
  void January1Click(QAction* item);
  void Button1Click();
  void StringGrid1Click();
  void StringGrid1DblClick();
  void Edit1Click();
  void okbtnClick();
  void PageControl1Change();

  void TabSheet2Show();
  void DeftsBtnClick();
  void SpainPortugalItalyPoland1Click();
  void France1Click();
  void DenmarkNorway1Click();
  void objectRadioButton2TRadioButton1Click();
  void Button2Click();
  void Button4Click();

 private:
  void EnsureBuilt();
  void BuildCalendarPage();
  void BuildOptionsPage();
  void FormCreate();
  void FormShow();
  void TakePreset(size_t index);
  void StepShownDate(void (*step)(Cdatlib::TCalDate&));

  bool built_ = false;
};

}  // namespace cal
