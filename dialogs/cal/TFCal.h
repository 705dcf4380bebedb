// The calendar window: a month grid to pick a date from, and an options page
// that sets the library's Julian-Gregorian transition.
#pragma once

#include <QDialog>

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

  QTabWidget* PageControl1;
  QWidget* TabSheet1;
  QWidget* TabSheet2;

  // The "Calendar" page.
  QFrame* Panel1;
  QToolButton* SpeedButton1;
  QPushButton* YearBtn;
  QToolButton* SpeedButton3;
  QFrame* Panel2;
  QToolButton* SpeedButton2;
  QPushButton* MonthBtn;
  QToolButton* SpeedButton4;
  QTableWidget* StringGrid1;
  QFrame* Panel3;
  QPushButton* Button1;
  QLineEdit* Edit1;
  QPushButton* okbtn;
  QPushButton* Button3;
  QMenu* PopupMenu2;
  QAction *January1, *February1, *March1, *April1, *May1, *June1, *July1, *August1, *September1, *October1,
      *November1, *December1;

  // The "Options" page.
  QGroupBox* GroupBox1;
  QLabel* Label1;
  QLineEdit* Edit2;
  QLabel* Label2;
  QLineEdit* Edit3;
  QPushButton* DeftsBtn;
  QPushButton* Button2;
  QPushButton* Button4;
  QMenu* PopupMenu3;
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
};

}  // namespace cal
