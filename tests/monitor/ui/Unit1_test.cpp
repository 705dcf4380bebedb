// The main window driven as a user would: its button, its icon in the
// notification area, and its timer and close while the disk fails.
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTimer>
#include <vector>

#include "MonitorWindowsTest.h"

namespace {

TEST_F(MonitorWindowsTest, ContinueMinimizesWhenThereIsNoNotificationArea) {
  ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable()) << "the offscreen desktop has no notification area";
  Start();
  form1_->show();
  QTest::mouseClick(form1_->Button1, Qt::LeftButton);
  EXPECT_TRUE(form1_->isVisible()) << "a hidden window could never be shown again";
  EXPECT_TRUE(form1_->isMinimized());
}

TEST_F(MonitorWindowsTest, OnlyALeftClickOnTheIconShowsTheWindow) {
  auto* icon = form1_->findChild<QSystemTrayIcon*>();
  ASSERT_NE(icon, nullptr);
  struct Case {
    const char* name;
    QSystemTrayIcon::ActivationReason reason;
    bool shows;
  } cases[] = {{"right button", QSystemTrayIcon::Context, false},
               {"double click", QSystemTrayIcon::DoubleClick, false},
               {"middle button", QSystemTrayIcon::MiddleClick, false},
               {"left button", QSystemTrayIcon::Trigger, true}};
  for (const Case& c : cases) {
    form1_->hide();
    emit icon->activated(c.reason);
    EXPECT_EQ(form1_->isVisible(), c.shows) << c.name;
  }
  form1_->showMinimized();
  emit icon->activated(QSystemTrayIcon::Trigger);
  EXPECT_FALSE(form1_->isMinimized()) << "a minimized window comes back too";
}

TEST_F(MonitorWindowsTest, FailedCloseCheckpointKeepsTheWindowOpenAndTheTimerRunning) {
  Start();
  form1_->show();
  BreakCheckpointFile();
  ExpectErrorBox(QString::fromStdString("Unable to write to " + Monitor::CheckpointPath + "."));
  EXPECT_FALSE(form1_->close());
  EXPECT_TRUE(form1_->isVisible());
  EXPECT_TRUE(form1_->Timer1->isActive());
}

std::vector<QMessageBox*> OpenMessageBoxes() {
  std::vector<QMessageBox*> boxes;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* box = qobject_cast<QMessageBox*>(widget); box != nullptr && box->isVisible()) boxes.push_back(box);
  }
  return boxes;
}

// Nobody answers the boxes of failed ticks: the ticks go on all the same,
// and the first one after the disk comes back writes the checkpoint.
TEST_F(MonitorWindowsTest, TicksGoOnWhileNobodyAnswersTheirErrorBoxes) {
  Start();
  const QString label = form1_->Label2->text();
  const std::string goodPath = Monitor::CheckpointPath;
  ASSERT_EQ(std::remove(goodPath.c_str()), 0);
  BreakCheckpointFile();
  form1_->Timer1->setInterval(20);
  ASSERT_TRUE(QTest::qWaitFor([] { return OpenMessageBoxes().size() >= 3; }, 5000)) << "one box per failed tick";
  EXPECT_EQ(OpenMessageBoxes().front()->text(),
            QString::fromStdString("Unable to write to " + Monitor::CheckpointPath + "."));
  EXPECT_EQ(form1_->Label2->text(), label) << "the label keeps the last checkpoint";
  Monitor::CheckpointPath = goodPath;
  EXPECT_TRUE(QTest::qWaitFor([&] { return access(goodPath.c_str(), F_OK) == 0; }, 5000))
      << "no tick after the recovery";
  form1_->Timer1->stop();
  for (QMessageBox* box : OpenMessageBoxes()) box->close();
}

}  // namespace
