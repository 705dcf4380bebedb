// Placement at the cursor, the information box and pop-up menus.
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "DialogsTest.h"
#include "platform/qt/MessageAtCursor.h"
#include "platform/qt/PopupAtCursor.h"

namespace {

class WindowHelpersTest : public DialogsTest {};

TEST_F(WindowHelpersTest, ClampingPullsBackAtTheRightAndBottomEdgesOnly) {
  const QRect screen(0, 0, 800, 600);
  const QSize box(200, 100);
  struct Case {
    const char* name;
    QPoint wanted, placed;
  } cases[] = {
      {"inside", {50, 60}, {50, 60}},
      {"bottom-right corner", {799, 599}, {600, 500}},
      {"just fits", {600, 500}, {600, 500}},
      {"monitor to the right", {1200, 300}, {600, 300}},
      {"monitor to the left", {-500, 300}, {-500, 300}},
      {"monitor above", {300, -400}, {300, -400}},
  };
  for (const Case& c : cases) EXPECT_EQ(Cdatlib::ClampToScreenEdges(c.wanted, box, screen), c.placed) << c.name;
  EXPECT_EQ(Cdatlib::ClampToScreenEdges({1900, 0}, box, QRect(1000, 0, 800, 600)), QPoint(1600, 0));
}

TEST_F(WindowHelpersTest, TheBoxShowsTheMessageAsItIsCaptionedWithTheTitleOnTop) {
  QCursor::setPos(Screen().bottomRight());
  WhenModal<QMessageBox>([](QMessageBox* box) {
    EXPECT_EQ(box->text(), "Salt & <b>pepper</b>");
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    EXPECT_EQ(box->windowTitle(), Cdatlib::ToQt(Cdatlib::ApplicationTitle()));
    EXPECT_EQ(box->icon(), QMessageBox::Information);
    EXPECT_EQ(box->buttons().size(), 1);
    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Ok));
    EXPECT_TRUE(box->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(box->frameGeometry().bottomRight(), Screen().bottomRight());
    QTest::keyClick(box, Qt::Key_Escape);
  });
  Cdatlib::ShowMessageAtCursor("Salt & <b>pepper</b>");
  EXPECT_EQ(Cdatlib::LastBoxClosePoint, Screen().bottomRight());
}

TEST_F(WindowHelpersTest, ABoxAfterABoxDismissedWithoutMovingOpensWhereTheFirstDid) {
  QPoint first, second;
  auto clickOk = [](QPoint* place) {
    return [place](QMessageBox* box) {
      *place = box->pos();
      QAbstractButton* ok = box->button(QMessageBox::Ok);
      QCursor::setPos(ok->mapToGlobal(ok->rect().center()));
      QTest::mouseClick(ok, Qt::LeftButton);
    };
  };
  QCursor::setPos(120, 80);
  WhenModal<QMessageBox>(clickOk(&first));
  Cdatlib::ShowMessageAtCursor("first");
  WhenModal<QMessageBox>(clickOk(&second));
  Cdatlib::ShowMessageAtCursor("second");
  EXPECT_EQ(first, QPoint(120, 80));
  EXPECT_EQ(second, first);
  EXPECT_EQ(Cdatlib::LastDialogPoint, QPoint(120, 80));

  QCursor::setPos(Cdatlib::LastBoxClosePoint + QPoint(1, 0));
  EXPECT_EQ(Cdatlib::DialogPointAtCursor(), Cdatlib::LastBoxClosePoint + QPoint(1, 0));
}

TEST_F(WindowHelpersTest, PopupMenusOpenAtTheCursor) {
  QMenu menu;
  menu.addAction("one");
  QCursor::setPos(150, 120);
  Cdatlib::PopupAtCursor(&menu);
  EXPECT_TRUE(menu.isVisible());
  EXPECT_EQ(menu.pos(), QPoint(150, 120));
  menu.close();
}

}  // namespace
