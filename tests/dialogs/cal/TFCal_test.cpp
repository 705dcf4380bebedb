// The calendar page: the grid under several transitions, stepping, the month
// menu, the year entry, picking and what PickDate hands back.
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "DialogsTest.h"

using Cdatlib::TCalDate;

namespace {

class CalendarDialogTest : public DialogsTest {
 protected:
  void ClickDay(int day, bool twice = false) {
    QTableWidget* grid = Calendar->StringGrid1;
    const QPoint centre = grid->visualItemRect(DayCell(day)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre);
    if (!twice) return;
    // The second press of a double click arrives as the double click itself.
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, centre);
  }
  // Opens the year entry by the year button, answers it and any message.
  std::string AnswerYear(const char* answer) {
    std::string message;
    QPointer<QTimer> messageWait;
    WhenModal<inpstr::TFinpstr>([&](inpstr::TFinpstr* input) {
      messageWait = AnswerMessage(message);
      input->Edit1->setText(answer);
      input->Button1->click();
    });
    Calendar->YearBtn->click();
    delete messageWait;
    return message;
  }
};

TEST_F(CalendarDialogTest, GridShowsTheMonthCellByCell) {
  const char* const none = "||||||";
  struct Case {
    const char* name;
    TCalDate lastJulian, firstGregorian, shown;
    const char* rows[6];
    int currentRow, currentColumn;
  } cases[] = {
      {"Great Britain",
       {1752, 9, 2},
       {1752, 9, 14},
       {1752, 9, 14},
       {"|1|2|14|15|16|17", "18|19|20|21|22|23|24", "25|26|27|28|29|30|", none, none, none},
       1,
       3},
      {"Spain",
       {1582, 10, 4},
       {1582, 10, 15},
       {1582, 10, 15},
       {"1|2|3|4|15|16|17", "18|19|20|21|22|23|24", "25|26|27|28|29|30|31", none, none, none},
       1,
       4},
      {"Denmark, February",
       {1700, 2, 18},
       {1700, 3, 1},
       {1700, 2, 10},
       {"|||1|2|3|4", "5|6|7|8|9|10|11", "12|13|14|15|16|17|18", none, none, none},
       2,
       5},
      {"Denmark, March",
       {1700, 2, 18},
       {1700, 3, 1},
       {1700, 3, 1},
       {"1|2|3|4|5|6|7", "8|9|10|11|12|13|14", "15|16|17|18|19|20|21", "22|23|24|25|26|27|28", "29|30|31||||", none},
       1,
       0},
  };
  for (const Case& c : cases) {
    Cdatlib::ApplyTransition(c.lastJulian, c.firstGregorian);
    Show(c.shown);
    for (int row = 1; row <= 6; ++row) EXPECT_EQ(GridRow(row), c.rows[row - 1]) << c.name << ", row " << row;
    EXPECT_EQ(Calendar->StringGrid1->currentRow(), c.currentRow) << c.name;
    EXPECT_EQ(Calendar->StringGrid1->currentColumn(), c.currentColumn) << c.name;
    EXPECT_EQ(cal::ShownDate, c.shown) << c.name;
  }
  Cdatlib::ApplyTransition({1752, 9, 2}, {1752, 9, 14});
  Show({1752, 9, 14});
  EXPECT_EQ(Calendar->StringGrid1->item(1, 1)->text(), "   1");
  EXPECT_EQ(Calendar->StringGrid1->item(1, 3)->text(), "  14");
  EXPECT_TRUE(Calendar->StringGrid1->item(1, 3)->isSelected());
}

TEST_F(CalendarDialogTest, ArrowsStepTheShownDateAndYearZeroShowsNoDays) {
  struct Case {
    QToolButton* cal::TFCal::*button;
    TCalDate from, to;
  } cases[] = {
      {&cal::TFCal::SpeedButton1, {2017, 3, 5}, {2016, 3, 5}},
      {&cal::TFCal::SpeedButton3, {2017, 3, 5}, {2018, 3, 5}},
      {&cal::TFCal::SpeedButton2, {2018, 1, 15}, {2017, 12, 15}},
      {&cal::TFCal::SpeedButton4, {2017, 12, 31}, {2018, 1, 31}},
      {&cal::TFCal::SpeedButton1, {1, 5, 10}, {0, 5, 10}},
  };
  for (const Case& c : cases) {
    Show(c.from);
    (Calendar.get()->*c.button)->click();
    EXPECT_EQ(cal::ShownDate, c.to) << c.from;
    EXPECT_EQ(Calendar->Edit1->text().toStdString(), Cdatlib::DateWithShortWeekday(c.to)) << c.from;
  }
  EXPECT_EQ(Calendar->YearBtn->text(), "0");
  for (int row = 1; row <= 6; ++row) EXPECT_EQ(GridRow(row), "||||||");
}

TEST_F(CalendarDialogTest, StepFromJanuaryThe31stKeepsTheDayAndTheCurrentCell) {
  Show({2017, 1, 31});
  const int row = Calendar->StringGrid1->currentRow(), column = Calendar->StringGrid1->currentColumn();
  Calendar->SpeedButton4->click();
  EXPECT_EQ(cal::ShownDate, (TCalDate{2017, 2, 31}));
  EXPECT_EQ(Calendar->Edit1->text(), "2017-02-31  Tue");
  EXPECT_EQ(Calendar->StringGrid1->currentRow(), row);
  EXPECT_EQ(Calendar->StringGrid1->currentColumn(), column);
}

TEST_F(CalendarDialogTest, MonthMenuFromTheButtonAndFromARightClickOnTheRow) {
  Show({2017, 12, 15});
  QCursor::setPos(140, 90);
  Calendar->MonthBtn->click();
  EXPECT_TRUE(Calendar->PopupMenu2->isVisible());
  EXPECT_EQ(Calendar->PopupMenu2->pos(), QPoint(140, 90));
  Calendar->March1->trigger();
  EXPECT_EQ(cal::ShownDate, (TCalDate{2017, 3, 15}));
  EXPECT_EQ(Calendar->MonthBtn->text(), "March");
  Calendar->PopupMenu2->close();

  QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(3, 4),
                               Calendar->SpeedButton2->mapToGlobal(QPoint(3, 4)));
  QApplication::sendEvent(Calendar->SpeedButton2, &rightClick);
  EXPECT_TRUE(Calendar->PopupMenu2->isVisible());
  EXPECT_EQ(Calendar->PopupMenu2->pos(), Calendar->SpeedButton2->mapToGlobal(QPoint(3, 4)));
  Calendar->PopupMenu2->close();
}

TEST_F(CalendarDialogTest, YearEntry) {
  struct Case {
    const char* answer;
    uint16_t year;
    const char* message;
  } cases[] = {
      {"1999", 1999, ""},
      {"0", 2017, "Year 0 does not exist, the Julian calendar jumps from 1BC to 1AD"},
      {"", 2017, "Year 0 does not exist, the Julian calendar jumps from 1BC to 1AD"},
      {"12abc", 2017, ""},
      {"70000", 2017, "Year 70000 is outside the calendar: enter a year from 1 to 9999."},
  };
  for (const Case& c : cases) {
    Show({2017, 3, 5});
    EXPECT_EQ(AnswerYear(c.answer), c.message) << c.answer;
    EXPECT_EQ(cal::ShownDate, (TCalDate{c.year, 3, 5})) << c.answer;
    EXPECT_EQ(Calendar->YearBtn->text().toInt(), c.year) << c.answer;
  }
}

TEST_F(CalendarDialogTest, RightClickOnTheYearRowAsksForTheYear) {
  Show({2017, 3, 5});
  QString offered;
  WhenModal<inpstr::TFinpstr>([&](inpstr::TFinpstr* input) {
    offered = input->Label1->text() + "|" + input->Edit1->text();
    input->Button2->click();
  });
  QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(5, 5), Calendar->Panel1->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(Calendar->Panel1, &rightClick);
  EXPECT_EQ(offered, "Enter year|2017");
}

TEST_F(CalendarDialogTest, PickDateOpensOnTheTextsDateAndHandsBackTheBoxText) {
  enum Close { Ok, Cancel, Escape };
  struct Case {
    const char* text;
    bool opensOnToday;
    TCalDate opensOn;
    Close close;
    const char* handedBack;
  } cases[] = {
      {"2024-01-01", false, {2024, 1, 1}, Ok, "2024-01-01  Mon"},
      {"2017-12-01  Fri", false, {2017, 12, 1}, Ok, "2017-12-01  Fri"},
      {"2017-13-01", true, {}, Ok, nullptr},
      {"2017-12-01", false, {2017, 12, 1}, Cancel, "2017-12-01"},
      {"not a date", true, {}, Escape, "not a date"},
  };
  for (const Case& c : cases) {
    cal::LastPickedText = "earlier pick";
    TCalDate openedOn{};
    QString header;
    WhenModal<cal::TFCal>([&](cal::TFCal* window) {
      openedOn = cal::ShownDate;
      header = window->StringGrid1->item(0, 0)->text() + window->StringGrid1->item(0, 6)->text();
      if (c.close == Ok) window->okbtn->click();
      if (c.close == Cancel) window->Button3->click();
      if (c.close == Escape) QTest::keyClick(window, Qt::Key_Escape);
    });
    std::string text = c.text;
    const bool picked = cal::PickDate(text);
    const std::string expected =
        c.handedBack != nullptr ? c.handedBack : Cdatlib::DateWithShortWeekday(Cdatlib::Today());
    EXPECT_EQ(openedOn, c.opensOnToday ? Cdatlib::Today() : c.opensOn) << c.text;
    EXPECT_EQ(header, " Mon Sun") << c.text;
    EXPECT_EQ(picked, c.close == Ok) << c.text;
    EXPECT_EQ(text, expected) << c.text;
    EXPECT_EQ(cal::LastPickedText, picked ? expected : "earlier pick") << c.text;
  }
}

TEST_F(CalendarDialogTest, OkTakesATypedDateAsTypedAndRefusesOneThatIsNoDay) {
  std::string message;
  TCalDate date{2017, 12, 1};
  WhenModal<cal::TFCal>([&](cal::TFCal* window) {
    WhenModal<QMessageBox>([&](QMessageBox* box) {
      message = box->text().toStdString();
      box->button(QMessageBox::Ok)->click();
      EXPECT_TRUE(window->isVisible());
      QTest::mouseClick(window->Edit1, Qt::LeftButton);
      QApplication::processEvents();
      EXPECT_EQ(window->Edit1->selectedText(), "2017-02-31");
      QTest::keyClicks(window->Edit1, "2018-05-06");
      window->okbtn->click();
    });
    window->Edit1->setText("2017-02-31");
    window->okbtn->click();
  });
  EXPECT_TRUE(cal::PickCalDate(date));
  EXPECT_EQ(message, "2017-02-31 is not a day of the calendar: February 2017 has 28 days.");
  EXPECT_EQ(date, (TCalDate{2018, 5, 6}));
  EXPECT_EQ(Calendar->Edit1->text(), "2018-05-06");
}

TEST_F(CalendarDialogTest, AClickPicksADayAndADoubleClickClosesWithIt) {
  std::string text = "2017-12-01";
  WhenModal<cal::TFCal>([&](cal::TFCal* window) {
    ClickDay(2);
    EXPECT_EQ(window->Edit1->text(), "2017-12-02  Sat");
    EXPECT_TRUE(window->isVisible());
    // The header row cannot be reached, and an empty cell picks nothing.
    QTest::keyClick(window->StringGrid1, Qt::Key_Up);
    EXPECT_EQ(window->StringGrid1->currentRow(), 1);
    QTest::keyClick(window->StringGrid1, Qt::Key_Left);
    EXPECT_EQ(window->Edit1->text(), "2017-12-01  Fri");
    QTest::keyClick(window->StringGrid1, Qt::Key_Left);
    EXPECT_EQ(window->StringGrid1->currentColumn(), 3);
    EXPECT_EQ(window->Edit1->text(), "2017-12-01  Fri");
    ClickDay(20, true);
  });
  EXPECT_TRUE(cal::PickDate(text));
  EXPECT_EQ(text, "2017-12-20  Wed");

  // Picking on a single click: the fill's own move of the current cell is no pick.
  Cdatlib::CloseOnPick = true;
  WhenModal<cal::TFCal>([&](cal::TFCal* window) {
    window->SpeedButton4->click();
    EXPECT_TRUE(window->isVisible());
    ClickDay(3);
  });
  EXPECT_TRUE(cal::PickDate(text));
  EXPECT_EQ(text, "2018-01-03  Wed");
  WhenModal<cal::TFCal>([&](cal::TFCal* window) { window->Button1->click(); });
  EXPECT_TRUE(cal::PickDate(text));
  EXPECT_EQ(text, Cdatlib::DateWithShortWeekday(Cdatlib::Today()));
}

TEST_F(CalendarDialogTest, OpensJustBelowRightOfTheCursorInsideTheScreen) {
  struct Case {
    QPoint cursor;
    bool clamped;
  } cases[] = {{{100, 100}, false}, {Screen().bottomRight(), true}};
  for (const Case& c : cases) {
    QCursor::setPos(c.cursor);
    QRect placed;
    WhenModal<cal::TFCal>([&](cal::TFCal* window) {
      placed = window->frameGeometry();
      window->reject();
    });
    EXPECT_EQ(cal::ShowCalendarAtCursor(), QDialog::Rejected);
    if (c.clamped) {
      EXPECT_EQ(placed.bottomRight(), Screen().bottomRight());
    } else {
      EXPECT_EQ(placed.topLeft(), c.cursor + QPoint(1, 1));
    }
  }
}

}  // namespace
