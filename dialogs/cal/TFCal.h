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
  // Builds the window hidden and makes it the module's FCal.
  explicit TFCal(QWidget* parent = nullptr);
  ~TFCal() override;

  // Year, month, date box and day grid from ShownDate.
  void RefreshCalendar();
  void FillMonthGrid();
  void FillWeekdayHeader();
  // Takes the day of the grid's current cell into ShownDate; false for an empty cell.
  bool SelectDayFromGrid();
  // Asks for the year to show through the text input dialog.
  void AskYear();

  QTabWidget* PageControl1;  // the two pages, tabs at the bottom
  QWidget* TabSheet1;        // the "Calendar" page
  QWidget* TabSheet2;        // the "Options" page

  // The "Calendar" page.
  QFrame* Panel1;             // the year row; a right click asks for a year
  QToolButton* SpeedButton1;  // one year back
  QPushButton* YearBtn;       // shows the year; a click asks for one
  QToolButton* SpeedButton3;  // one year on
  QFrame* Panel2;             // the month row; a right click opens the month menu
  QToolButton* SpeedButton2;  // one month back
  QPushButton* MonthBtn;      // shows the month; a click opens the month menu
  QToolButton* SpeedButton4;  // one month on
  QTableWidget* StringGrid1;  // the weekday header and the month's days
  QFrame* Panel3;             // the bottom row
  QPushButton* Button1;       // "Today": shows today's date
  QLineEdit* Edit1;           // the shown date as text; OK takes what it holds
  QPushButton* okbtn;         // OK: picks the date of Edit1
  QPushButton* Button3;       // Cancel
  QMenu* PopupMenu2;          // the month menu
  // The month menu's items, January to December.
  QAction *January1, *February1, *March1, *April1, *May1, *June1, *July1, *August1, *September1, *October1,
      *November1, *December1;

  // The "Options" page.
  QGroupBox* GroupBox1;  // the frame around the transition's settings
  QLabel* Label1;        // "last Julian day", the caption of Edit2
  QLineEdit* Edit2;      // the last Julian day
  QLabel* Label2;        // "first Gregorian day", the caption of Edit3
  QLineEdit* Edit3;      // the first Gregorian day
  QPushButton* DeftsBtn;  // opens the menu of national presets
  QPushButton* Button2;   // OK: applies the pair of dates
  QPushButton* Button4;   // Cancel: back to the calendar page
  QMenu* PopupMenu3;      // the national presets
  // The presets: Spain and its neighbours, France, Denmark-Norway, Great Britain.
  QAction *SpainPortugalItalyPoland1, *France1, *DenmarkNorway1, *objectRadioButton2TRadioButton1;

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
  void BuildCalendarPage();
  void BuildOptionsPage();
  void FormCreate();
  void FormShow();
  void TakePreset(size_t index);
  void StepShownDate(void (*step)(Cdatlib::TCalDate&));
};

}  // namespace cal
