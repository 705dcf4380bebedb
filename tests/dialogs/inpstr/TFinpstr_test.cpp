// The text input dialog: prompts, placement, whole numbers, the calendar
// button and the drag by the panel.
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "DialogsTest.h"
#include "dialogs/inpstr/BevelPanel.h"

namespace {

class InputDialogTest : public DialogsTest {
 protected:
  // What the window showed when it opened.
  struct TSeen {
    QString label1, label2, box;
    bool label2Shown = false, calendarShown = false;
    int size1 = 0, size2 = 0;
    QPoint place;
  };
  // Answers the next input window, keeping what it showed in Seen: typed
  // replaces the box text; nullptr cancels.
  void Answer(const char* typed) {
    WhenModal<inpstr::TFinpstr>([this, typed](inpstr::TFinpstr* window) {
      Seen = {window->Label1->text(),
              window->Label2->text(),
              window->Edit1->text(),
              window->Label2->isVisible(),
              window->CalBtn->isVisible(),
              window->Label1->font().pointSize(),
              window->Label2->font().pointSize(),
              window->pos()};
      if (typed == nullptr) {
        QTest::keyClick(window->Edit1, Qt::Key_Escape);
        return;
      }
      EXPECT_EQ(window->Edit1->selectedText(), window->Edit1->text());
      QTest::keyClicks(window->Edit1, typed);
      if (*typed == '\0') window->Edit1->clear();
      QTest::keyClick(window->Edit1, Qt::Key_Return);
    });
  }
  TSeen Seen;
};

TEST_F(InputDialogTest, InputIntegerOffersPositiveValuesAndTakesWholeNumbersOnly) {
  struct Case {
    int32_t start;
    const char* offered;
    const char* typed;
    bool result;
    int32_t value;
  } cases[] = {
      {0, "", "", true, 0},      {-3, "", "42", true, 42},  {5, "5", "", true, 0},       {5, "5", "12abc", false, 5},
      {5, "5", " 12", true, 12}, {5, "5", "$1F", true, 31}, {7, "7", nullptr, false, 7},
  };
  for (const Case& c : cases) {
    int32_t value = c.start;
    Answer(c.typed);
    EXPECT_EQ(inpstr::InputInteger("first", "second", value), c.result) << c.start << " " << c.typed;
    EXPECT_EQ(value, c.value) << c.start << " " << (c.typed ? c.typed : "(cancel)");
    EXPECT_EQ(Seen.box, c.offered) << c.start;
  }
}

TEST_F(InputDialogTest, PromptsShowAsGivenSizedByTheEmphasis) {
  struct Case {
    char emphasis;
    int size1, size2;
  } cases[] = {{'A', 8, 10}, {'B', 10, 8}, {'x', 8, 8}};
  for (const Case& c : cases) {
    inpstr::LabelEmphasis = c.emphasis;
    std::string text = "Salt & pepper";
    Answer("");
    EXPECT_TRUE(inpstr::InputText("R&D <b>costs</b>", "&second", text));
    EXPECT_EQ(Seen.label1, "R&D <b>costs</b>");
    EXPECT_EQ(Seen.label2, "&second");
    EXPECT_EQ(Seen.box, "Salt & pepper");
    EXPECT_EQ(Seen.size1, c.size1) << c.emphasis;
    EXPECT_EQ(Seen.size2, c.size2) << c.emphasis;
  }
  EXPECT_EQ(Input->Label1->textFormat(), Qt::PlainText);
  EXPECT_EQ(Input->Label1->buddy(), nullptr);
}

// The box is made at the first question, yet a screen reader meets it
// where it stands: after the prompts, before the calendar button.
TEST_F(InputDialogTest, TheAnswerBoxIsReadAfterThePrompts) {
  QObjectList children;
  QObject *box = nullptr, *label2 = nullptr, *calendar = nullptr;
  WhenModal<inpstr::TFinpstr>([&](inpstr::TFinpstr* window) {
    children = window->Panel1->children();
    box = window->Edit1, label2 = window->Label2, calendar = window->CalBtn;
    window->Button2->click();
  });
  std::string text;
  inpstr::InputText("p", "q", text);
  EXPECT_GT(children.indexOf(box), children.indexOf(label2));
  EXPECT_LT(children.indexOf(box), children.indexOf(calendar));
}

TEST_F(InputDialogTest, InputNumberAsksWithOnePromptAndNoCalendarButtonFromThenOn) {
  std::string text;
  Answer(nullptr);
  EXPECT_FALSE(inpstr::InputText("one", "two", text));
  EXPECT_TRUE(Seen.calendarShown && Seen.label2Shown);
  const QRect boxPlace = Input->Edit1->geometry(), okPlace = Input->Button1->geometry();

  int32_t value = 3;
  Answer("4");
  EXPECT_TRUE(inpstr::InputNumber("Enter year", value));
  EXPECT_EQ(value, 4);
  EXPECT_FALSE(Seen.label2Shown);
  EXPECT_FALSE(Seen.calendarShown);
  EXPECT_EQ(Input->Edit1->geometry(), boxPlace);
  EXPECT_EQ(Input->Button1->geometry(), okPlace);

  Answer(nullptr);
  inpstr::InputText("one", "two", text);
  EXPECT_FALSE(Seen.calendarShown);
}

TEST_F(InputDialogTest, OpensAtTheCursorOrWhereTheLastDialogOpened) {
  std::string text;
  QCursor::setPos(50, 60);
  Answer(nullptr);
  inpstr::InputText("p", "", text);
  EXPECT_EQ(Seen.place, QPoint(50, 60));

  QCursor::setPos(Screen().bottomRight());
  Answer(nullptr);
  inpstr::InputText("p", "", text);
  EXPECT_EQ(QRect(Seen.place, Input->size()).bottomRight(), Screen().bottomRight());

  // The mouse left where a message box closed: the last dialog point again.
  PlatformQt::LastDialogPoint = {70, 80};
  PlatformQt::LastBoxClosePoint = {300, 310};
  QCursor::setPos(300, 310);
  Answer(nullptr);
  inpstr::InputText("p", "", text);
  EXPECT_EQ(Seen.place, QPoint(70, 80));
  EXPECT_EQ(PlatformQt::LastBoxClosePoint, QPoint(300, 310));
}

TEST_F(InputDialogTest, CalendarButtonPicksIntoTheBox) {
  struct Case {
    const char* box;
    const char* lastPicked;
    Cdatlib::TCalDate opensOn;
  } cases[] = {
      {"2017-12-01", "", {2017, 12, 1}},
      {"next week", "2016-02-29  Mon", {2016, 2, 29}},
      {"next week", "", Cdatlib::Today()},
  };
  for (const Case& c : cases) {
    cal::LastPickedText = c.lastPicked;
    Cdatlib::TCalDate openedOn{};
    QString result;
    WhenModal<inpstr::TFinpstr>([&](inpstr::TFinpstr* window) {
      WhenModal<cal::TFCal>([&](cal::TFCal* calendar) {
        openedOn = cal::ShownDate;
        calendar->okbtn->click();
      });
      window->Edit1->setText(c.box);
      window->CalBtn->click();
      result = window->Edit1->text();
      window->Button2->click();
    });
    std::string text;
    inpstr::InputText("Date", "", text);
    EXPECT_EQ(openedOn, c.opensOn) << c.box;
    EXPECT_EQ(result.toStdString(), Cdatlib::DateWithShortWeekday(c.opensOn)) << c.box;
  }
}

TEST_F(InputDialogTest, DraggingThePanelsFreeAreaMovesTheWindowWithTheDragCursor) {
  WhenModal<inpstr::TFinpstr>([](inpstr::TFinpstr* window) {
    const QPoint start = window->pos();
    auto sendTo = [](QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
      QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
      QApplication::sendEvent(widget, &event);
    };
    auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
      sendTo(window->Panel1, type, at, buttons);
    };
    // The prompt passes its press on to the panel, which must not take it for a drag.
    sendTo(window->Label1, QEvent::MouseButtonPress, {2, 2}, Qt::LeftButton);
    EXPECT_EQ(PlatformQt::ProgramCursor(), Qt::ArrowCursor);
    send(QEvent::MouseMove, {35, 150}, Qt::LeftButton);
    sendTo(window->Label1, QEvent::MouseButtonRelease, {2, 2}, Qt::NoButton);
    EXPECT_EQ(window->pos(), start);

    send(QEvent::MouseButtonPress, {5, 140}, Qt::LeftButton);
    EXPECT_EQ(PlatformQt::ProgramCursor(), Qt::DragMoveCursor);
    send(QEvent::MouseMove, {35, 150}, Qt::LeftButton);
    EXPECT_EQ(window->pos(), start + QPoint(30, 10));
    send(QEvent::MouseButtonRelease, {5, 140}, Qt::NoButton);
    EXPECT_EQ(PlatformQt::ProgramCursor(), Qt::DragMoveCursor);
    send(QEvent::MouseMove, {10, 140}, Qt::NoButton);
    EXPECT_EQ(window->pos(), start + QPoint(30, 10));
    EXPECT_EQ(PlatformQt::ProgramCursor(), Qt::ArrowCursor);
    window->reject();
  });
  std::string text;
  inpstr::InputText("p", "", text);
}

}  // namespace
