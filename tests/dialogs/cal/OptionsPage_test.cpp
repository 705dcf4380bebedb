// The options page: the boxes reloaded at each showing, the presets, and OK
// applying a sound pair or refusing one with a message.
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>

#include "DialogsTest.h"

using Cdatlib::TCalDate;

namespace {

class OptionsPageTest : public DialogsTest {
 protected:
  void SetUp() override {
    DialogsTest::SetUp();
    Show({2017, 6, 1});
    Calendar->PageControl1->setCurrentWidget(Calendar->TabSheet2);
  }
  QString Boxes() const { return Calendar->Edit2->text() + " " + Calendar->Edit3->text(); }
  bool OnOptions() const { return Calendar->PageControl1->currentWidget() == Calendar->TabSheet2; }
};

TEST_F(OptionsPageTest, PresetsWithOkApplyTheTransitionAndShowItsMonth) {
  struct Case {
    QAction* cal::TFCal::*item;
    TCalDate lastJulian, firstGregorian;
    const char* firstRow;
    int currentColumn;
  } cases[] = {
      {&cal::TFCal::SpainPortugalItalyPoland1, {1582, 10, 4}, {1582, 10, 15}, "1|2|3|4|15|16|17", 4},
      {&cal::TFCal::France1, {1582, 12, 9}, {1582, 12, 20}, "|||||1|2", 0},
      {&cal::TFCal::DenmarkNorway1, {1700, 2, 18}, {1700, 3, 1}, "1|2|3|4|5|6|7", 0},
      {&cal::TFCal::objectRadioButton2TRadioButton1, {1752, 9, 2}, {1752, 9, 14}, "|1|2|14|15|16|17", 3},
  };
  for (const Case& c : cases) {
    Calendar->PageControl1->setCurrentWidget(Calendar->TabSheet2);
    Calendar->DeftsBtn->click();
    EXPECT_TRUE(Calendar->PopupMenu3->isVisible());
    (Calendar.get()->*c.item)->trigger();
    Calendar->PopupMenu3->close();
    EXPECT_EQ(Boxes().toStdString(), Cdatlib::IsoDateText(c.lastJulian) + " " + Cdatlib::IsoDateText(c.firstGregorian));
    Calendar->Button2->click();
    EXPECT_EQ(Cdatlib::LastJulianDay, c.lastJulian);
    EXPECT_EQ(Cdatlib::LastJulianDayNumber, Cdatlib::JulianDayCount(c.lastJulian));
    EXPECT_EQ(Cdatlib::FirstGregorianDay, c.firstGregorian);
    EXPECT_FALSE(OnOptions());
    EXPECT_EQ(cal::ShownDate, c.firstGregorian);
    EXPECT_EQ(GridRow(1), c.firstRow);
    EXPECT_EQ(Calendar->StringGrid1->currentColumn(), c.currentColumn);
  }
}

TEST_F(OptionsPageTest, CancelAppliesNothingAndTheNextShowingReloads) {
  EXPECT_EQ(Boxes(), "1752-09-02 1752-09-14");
  Calendar->France1->trigger();
  Calendar->Button4->click();
  EXPECT_FALSE(OnOptions());
  EXPECT_EQ(Cdatlib::LastJulianDay, (TCalDate{1752, 9, 2}));
  EXPECT_EQ(Cdatlib::FirstGregorianDay, (TCalDate{1752, 9, 14}));
  Calendar->PageControl1->setCurrentWidget(Calendar->TabSheet2);
  EXPECT_EQ(Boxes(), "1752-09-02 1752-09-14");

  // Closed while the page shows, the dialog opens on it again, reloaded.
  Calendar->Edit2->setText("1582-10-04");
  QString reopened;
  WhenModal<cal::TFCal>([&](cal::TFCal* window) {
    reopened = Boxes();
    window->reject();
  });
  std::string text = "2017-06-01";
  EXPECT_FALSE(cal::PickDate(text));
  EXPECT_EQ(reopened, "1752-09-02 1752-09-14");
}

TEST_F(OptionsPageTest, OkRefusesAPairThatCannotBeATransition) {
  struct Case {
    const char *lastJulian, *firstGregorian, *message;
  } cases[] = {
      {"1700-02-30", "1700-03-11",
       "The last Julian day 1700-02-30 does not exist: February 1700 has 29 days in the Julian calendar."},
      {"1700-02-18", "1700-02-29",
       "The first Gregorian day 1700-02-29 does not exist: February 1700 has 28 days in the Gregorian calendar."},
      {"1582-13-04", "1583-01-15", "The last Julian day 1582-13-04 does not exist: there is no month 13."},
      {"1752-09-14", "1752-09-02",
       "The first Gregorian day 1752-09-02 must come after the last Julian day 1752-09-14."},
      {"yyyy-mm-dd", "1752-09-14", ""},
      {"1752-09-02", "1752-9-14", ""},
  };
  for (const Case& c : cases) {
    Calendar->Edit2->setText(c.lastJulian);
    Calendar->Edit3->setText(c.firstGregorian);
    std::string message;
    QPointer<QTimer> messageWait = AnswerMessage(message);
    Calendar->Button2->click();
    delete messageWait;
    EXPECT_EQ(message, c.message) << c.lastJulian << " " << c.firstGregorian;
    EXPECT_TRUE(OnOptions()) << c.lastJulian;
    EXPECT_EQ(Boxes().toStdString(), std::string(c.lastJulian) + " " + c.firstGregorian);
    EXPECT_EQ(Cdatlib::LastJulianDay, (TCalDate{1752, 9, 2})) << c.lastJulian;
    EXPECT_EQ(Cdatlib::FirstGregorianDay, (TCalDate{1752, 9, 14})) << c.lastJulian;
    EXPECT_EQ(cal::ShownDate, (TCalDate{2017, 6, 1})) << c.lastJulian;
  }
}

}  // namespace
