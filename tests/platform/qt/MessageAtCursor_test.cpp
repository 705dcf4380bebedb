// Placement at the cursor and the information box.
#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include "platform/qt/CursorPlacement.h"
#include "platform/qt/MessageAtCursor.h"
#include "platform/qt/ProgramCursor.h"
#include "support/ModalBoxes.h"

namespace {

class WindowHelpersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PlatformQt::LastDialogPoint = {0, 0};
    PlatformQt::LastBoxClosePoint = {0, 0};
    QCursor::setPos(100, 100);
  }
  void TearDown() override { PlatformQt::ClearProgramCursor(); }

  static QRect Screen() { return QGuiApplication::primaryScreen()->geometry(); }
};

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
  for (const Case& c : cases) EXPECT_EQ(PlatformQt::ClampToScreenEdges(c.wanted, box, screen), c.placed) << c.name;
  EXPECT_EQ(PlatformQt::ClampToScreenEdges({1900, 0}, box, QRect(1000, 0, 800, 600)), QPoint(1600, 0));
}

TEST_F(WindowHelpersTest, ABoxWantedPastTheCornerEndsThereAndRecordsWhereItClosed) {
  QCursor::setPos(Screen().bottomRight());
  WhenModal<QMessageBox>([](QMessageBox* box) {
    EXPECT_EQ(box->frameGeometry().bottomRight(), Screen().bottomRight());
    QTest::keyClick(box, Qt::Key_Escape);
  });
  PlatformQt::ShowMessageAtCursor("Salt & <b>pepper</b>");
  EXPECT_EQ(PlatformQt::LastBoxClosePoint, Screen().bottomRight());
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
  PlatformQt::ShowMessageAtCursor("first");
  WhenModal<QMessageBox>(clickOk(&second));
  PlatformQt::ShowMessageAtCursor("second");
  EXPECT_EQ(first, QPoint(120, 80));
  EXPECT_EQ(second, first);
  EXPECT_EQ(PlatformQt::LastDialogPoint, QPoint(120, 80));

  QCursor::setPos(PlatformQt::LastBoxClosePoint + QPoint(1, 0));
  EXPECT_EQ(PlatformQt::DialogPointAtCursor(), PlatformQt::LastBoxClosePoint + QPoint(1, 0));
}

}  // namespace
