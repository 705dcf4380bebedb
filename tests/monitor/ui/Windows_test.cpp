// The monitor's windows driven as a user would: the main window's button,
// menu, timer and notification-area icon, the log window and About.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QLabel>
#include <QMessageBox>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>
#include <cstdio>

#include "app/TApplication.h"
#include "calendar/Cdatlib.h"
#include "monitor/StartUp.h"
#include "monitor/ui/MemoText.h"
#include "monitor/ui/ProgramFileTime.h"
#include "monitor/ui/Unit1.h"
#include "monitor/ui/Unit2.h"
#include "monitor/ui/about1.h"
#include "platform/qt/QtText.h"
#include "support/ModalBoxes.h"
#include "support/TempFolder.h"
#include "support/TimeZone.h"

namespace {

using TestSupport::ReadBytes;
using TestSupport::WriteBytes;

class MonitorWindowsTest : public testing::Test {
 protected:
  void SetUp() override {
    Cdatlib::Initialize();
    Cdatlib::ProgramFolder = folder_.Path() + "/";
    form1_ = std::make_unique<TForm1>();
    about_ = std::make_unique<TFAbout1>();
    form2_ = std::make_unique<TForm2>();
  }

  void TearDown() override {
    // Error boxes do not hold up the handler that failed: they are answered
    // from the event loop afterwards.
    EXPECT_TRUE(QTest::qWaitFor([this] { return answeredBoxes_ == expectedBoxes_; }, 2000))
        << answeredBoxes_ << " of " << expectedBoxes_ << " error boxes";
    form2_.reset();
    about_.reset();
    form1_.reset();
    Cdatlib::Initialize();
  }

  void Start() { Monitor::StartMonitor(*form1_, form2_->Log); }

  // Checks that the next box is the error box with this message; the test
  // ends with a check that it came.
  void ExpectErrorBox(const QString& message, const std::function<void()>& then = {}) {
    ++expectedBoxes_;
    AnswerNextMessageBox([this, message, then](QMessageBox& box) {
      ++answeredBoxes_;
      EXPECT_EQ(box.icon(), QMessageBox::Critical);
      EXPECT_EQ(box.windowTitle(), PlatformQt::ToQt(Cdatlib::ApplicationTitle()));
      EXPECT_EQ(box.text(), message);
      if (then) then();
    });
  }

  void BreakCheckpointFile() { Monitor::CheckpointPath = folder_ / "missing-folder/CHKPT.INI"; }

  TestSupport::TTempFolder folder_;
  std::unique_ptr<TForm1> form1_;
  std::unique_ptr<TFAbout1> about_;
  std::unique_ptr<TForm2> form2_;
  int expectedBoxes_ = 0;
  int answeredBoxes_ = 0;
};

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

TEST_F(MonitorWindowsTest, LogCommandReloadsTheFileAndShowsTheLogWindow) {
  Start();
  WriteBytes(folder_ / "triplog.txt", "edited elsewhere\n");
  form1_->Log1->trigger();
  EXPECT_TRUE(form2_->isVisible());
  EXPECT_EQ(form2_->Memo1->toPlainText(), QStringLiteral("edited elsewhere\n"));
  EXPECT_TRUE(form2_->Log.LogDirty) << "a reload that changes the text";
}

TEST_F(MonitorWindowsTest, LogWindowSavesOnCloseOnlyWhenDirty) {
  Start();
  form1_->Log1->trigger();
  ASSERT_FALSE(form2_->Log.LogDirty);
  WriteBytes(folder_ / "triplog.txt", "changed behind the window\r\n");
  form2_->Close1->trigger();
  EXPECT_FALSE(form2_->isVisible());
  EXPECT_EQ(ReadBytes(folder_ / "triplog.txt"), "changed behind the window\r\n") << "clean text is not written";

  form1_->Log1->trigger();
  form2_->Memo1->moveCursor(QTextCursor::End);
  QTest::keyClicks(form2_->Memo1, "my note");
  EXPECT_TRUE(form2_->Log.LogDirty);
  form2_->close();
  EXPECT_EQ(ReadBytes(folder_ / "triplog.txt"), "changed behind the window\r\nmy note");
  EXPECT_FALSE(form2_->Log.LogDirty);
}

// Typed text is kept for a display end a moment after the typing, until a save.
TEST_F(MonitorWindowsTest, UnsavedEditsAreKeptUntilTheSave) {
  Platform::TPendingBytes unsaved;
  const auto kept = [&] { return Platform::TPendingBytes::KeptIn(unsaved.Fd()); };
  form2_->KeepUnsavedIn(&unsaved);
  Start();
  EXPECT_EQ(kept(), std::nullopt) << "after the start's save";
  form1_->Log1->trigger();
  form2_->Memo1->moveCursor(QTextCursor::End);
  QTest::keyClicks(form2_->Memo1, "my note");
  EXPECT_TRUE(QTest::qWaitFor([&] { return kept() == ReadBytes(folder_ / "triplog.txt") + "my note"; }, 2000));
  form2_->close();
  EXPECT_EQ(kept(), std::nullopt) << "after the close's save";
  form2_->KeepUnsavedIn(nullptr);
}

// Each normal end saves what was typed, also after a Log command on the open window.
TEST_F(MonitorWindowsTest, ANormalEndSavesTheLogWindowsEdits) {
  Start();
  const std::pair<const char*, std::function<void()>> ends[] = {{"Exit", [this] { form1_->Exit1->trigger(); }},
                                                               {"close box", [this] { form1_->close(); }}};
  for (const auto& [name, end] : ends) {
    form1_->show();
    form1_->Log1->trigger();
    form2_->Memo1->moveCursor(QTextCursor::End);
    QTest::keyClicks(form2_->Memo1, name);
    WriteBytes(folder_ / "triplog.txt", "changed behind the open window\r\n");
    form1_->Log1->trigger();
    EXPECT_EQ(form2_->focusWidget(), form2_->Memo1) << name;
    QTimer::singleShot(0, end);
    EXPECT_EQ(QCoreApplication::exec(), 0) << name;
    EXPECT_TRUE(ReadBytes(folder_ / "triplog.txt").ends_with(name)) << name;
    EXPECT_NE(ReadBytes(folder_ / "CHKPT.INI").find("TripStatus=0\r\n"), std::string::npos) << name;
  }
}

TEST_F(MonitorWindowsTest, FailedLogSaveKeepsTheLogWindowOpenAndDirty) {
  Start();
  form1_->Log1->trigger();
  QTest::keyClicks(form2_->Memo1, "x");
  ASSERT_TRUE(form2_->Log.LogDirty);
  TestSupport::WriteBytes(folder_ / "blocker", "");
  form2_->Log.LogPath = folder_ / "blocker/triplog.txt";
  ExpectErrorBox(QString::fromStdString("Cannot create file \"" + form2_->Log.LogPath + "\". Not a directory."));
  form2_->Close1->trigger();
  EXPECT_TRUE(form2_->isVisible());
  EXPECT_TRUE(form2_->Log.LogDirty) << "the next close tries again";

  ExpectErrorBox(QString::fromStdString("Cannot create file \"" + form2_->Log.LogPath + "\". Not a directory."));
  EXPECT_FALSE(form1_->close()) << "the program goes on with the text";
  EXPECT_NE(ReadBytes(folder_ / "CHKPT.INI").find("TripStatus=1\r\n"), std::string::npos);
}

// A long log is laid out a part per turn of the event loop, read-only until whole.
TEST_F(MonitorWindowsTest, ALongLogIsShownInPartsAndSavedWhole) {
  std::string log;
  while (log.size() < 8'000'000) log += "2026-12-06 18:41  ABNORMAL PROGRAM END\r\n";
  WriteBytes(folder_ / "triplog.txt", log);
  form2_->FillMemoWhenShown();
  Start();
  form1_->Log1->trigger();
  EXPECT_TRUE(form2_->Memo1->isReadOnly());
  int turns = 0;
  QTimer turn;
  QObject::connect(&turn, &QTimer::timeout, [&] { ++turns; }), turn.start(0);
  ASSERT_TRUE(QTest::qWaitFor([this] { return !form2_->Filling(); }, 120'000));
  EXPECT_GT(turns, 2);
  form2_->Memo1->moveCursor(QTextCursor::End);
  QTest::keyClicks(form2_->Memo1, "note");
  form2_->close();
  EXPECT_TRUE(ReadBytes(folder_ / "triplog.txt").starts_with(log));
  EXPECT_TRUE(ReadBytes(folder_ / "triplog.txt").ends_with("\r\nnote"));
}

TEST_F(MonitorWindowsTest, AHiddenLogWindowCatchesUpWhenShown) {
  WriteBytes(folder_ / "triplog.txt", "old line\r\n");
  form2_->FillMemoWhenShown();
  Start();
  EXPECT_TRUE(form2_->Memo1->toPlainText().isEmpty()) << "nothing is laid out while hidden";
  form1_->Log1->trigger();
  const QString text = form2_->Memo1->toPlainText();
  EXPECT_TRUE(text.startsWith(QStringLiteral("old line\n"))) << text.toStdString();
  EXPECT_TRUE(text.endsWith(QStringLiteral("  Program start - first time on this PC\n"))) << text.toStdString();
  EXPECT_EQ(form2_->Memo1->textCursor().position(), text.size()) << "the newest lines are in view";
  EXPECT_FALSE(form2_->Log.LogDirty);

  form2_->close();
  WriteBytes(folder_ / "triplog.txt", "changed behind the window\r\n");
  form1_->Log1->trigger();
  EXPECT_EQ(form2_->Memo1->toPlainText(), QStringLiteral("changed behind the window\n"));
  EXPECT_EQ(form2_->Memo1->textCursor().position(), 0) << "a reload that replaces the text opens at its start";
}

TEST_F(MonitorWindowsTest, StartUpLinesShowAtTheEndOfTheLogWindow) {
  WriteBytes(folder_ / "triplog.txt", "old line\r\n");
  WriteBytes(folder_ / "CHKPT.INI", "[main]\r\nTripStatus=1\r\nTripTS=2026-12-06 18:41\r\n");
  Start();
  const QString text = form2_->Memo1->toPlainText();
  EXPECT_TRUE(text.startsWith(QStringLiteral("old line\n2026-12-06 18:41  ABNORMAL PROGRAM END\n"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("  Program restart\n"))) << text.toStdString();  // then what the boot time says
  EXPECT_EQ(form2_->Memo1->textCursor().position(), text.size());
  EXPECT_EQ(ReadBytes(folder_ / "triplog.txt"), Monitor::BytesOfMemoText(text));
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
  EXPECT_EQ(OpenMessageBoxes().front()->text(), QString::fromStdString("Unable to write to " + Monitor::CheckpointPath + "."));
  EXPECT_EQ(form1_->Label2->text(), label) << "the label keeps the last checkpoint";
  Monitor::CheckpointPath = goodPath;
  EXPECT_TRUE(QTest::qWaitFor([&] { return access(goodPath.c_str(), F_OK) == 0; }, 5000)) << "no tick after the recovery";
  form1_->Timer1->stop();
  for (QMessageBox* box : OpenMessageBoxes()) box->close();
}

TEST_F(MonitorWindowsTest, AboutRefreshesBothLabelsAtEveryShowing) {
  Cdatlib::StampStyle = 2;
  about_->ShowOrRaise();
  const QString path = about_->Label2->text();
  EXPECT_TRUE(path.endsWith(QStringLiteral("/monitor_ui_tests"))) << path.toStdString();
  EXPECT_EQ(about_->Label3->text().size(), 16) << about_->Label3->text().toStdString();
  about_->Label2->setText(QStringLiteral("stale"));
  about_->Label3->setText(QStringLiteral("stale"));
  about_->ShowOrRaise();  // already shown: only brought to the front
  EXPECT_EQ(about_->Label2->text(), QStringLiteral("stale"));
  QTest::keyClick(about_.get(), Qt::Key_Escape);
  EXPECT_FALSE(about_->isVisible());
  about_->ShowOrRaise();
  EXPECT_EQ(about_->Label2->text(), path);
  EXPECT_NE(about_->Label3->text(), QStringLiteral("stale"));
  QTest::mouseClick(about_->OKBtn, Qt::LeftButton);
  EXPECT_FALSE(about_->isVisible());
}

TEST(AboutText, AMissingProgramFileCannotBeDated) {
  EXPECT_THROW(
      {
        try {
          Monitor::FileModifiedValue("/nonexistent/tallyvane");
        } catch (const Monitor::EDateEncodeError& error) {
          EXPECT_STREQ(error.what(), "Invalid argument to date encode");
          throw;
        }
      },
      Monitor::EDateEncodeError);
}

TEST(AboutText, ModificationTimeIsLocalWallClockTime) {
  struct Case {
    const char* zone;
    timespec modified;
    const char* expected;
  } cases[] = {
      {"CET-1CEST,M3.5.0,M10.5.0/3", {1512123725, 400'000'000}, "2017-12-01 11:22:05"},
      {"CET-1CEST,M3.5.0,M10.5.0/3", {1500000000, 600'000'000}, "2017-07-14 04:40:01"},
      {"EST5EDT,M3.2.0,M11.1.0", {1483232400, 0}, "2016-12-31 20:00:00"},
  };
  TestSupport::TTempFolder folder;
  const std::string path = folder / "file";
  TestSupport::WriteBytes(path, "");
  for (const Case& c : cases) {
    const TestSupport::TTimeZone zone(c.zone);
    const timespec times[2] = {c.modified, c.modified};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    const Cdatlib::TCalDateTime stamp = Cdatlib::StampFromValue(Monitor::FileModifiedValue(path));
    EXPECT_EQ(Cdatlib::IsoDateText(stamp.Date) + " " + Cdatlib::TimeText(stamp.Time), c.expected) << c.zone;
  }
}

// An object whose event handler fails, as a handler with a bug would.
TEST(AboutWindow, TextsStayBlackOnTheSilverPanelInADarkTheme) {
  const QPalette saved = QApplication::palette();
  QPalette dark = saved;
  for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    dark.setColor(role, Qt::white);
  QApplication::setPalette(dark);
  {
    TFAbout1 about;
    const std::pair<const char*, QWidget*> texts[] = {{"title", about.Label1}, {"description", about.Memo1},
                                                      {"OK", about.OKBtn}};
    for (const auto& [name, widget] : texts)
      EXPECT_EQ(widget->palette().color(widget->foregroundRole()), QColor(Qt::black)) << name;
  }
  QApplication::setPalette(saved);
}

}  // namespace
