// The log window: the Log command, saving the user's edits, long logs shown
// in parts, and the start-up's lines at its end.
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTimer>
#include <vector>

#include "MonitorWindowsTest.h"
#include "monitor/ui/MemoText.h"

namespace {

TEST_F(MonitorWindowsTest, LogCommandReloadsTheFileAndShowsTheLogWindow) {
  Start();
  WriteBytes(folder_ / "triplog.txt", "edited elsewhere\n");
  form1_->Log1->trigger();
  EXPECT_TRUE(form2_->isVisible());
  EXPECT_EQ(form2_->Memo1->toPlainText(), QStringLiteral("edited elsewhere\n"));
  EXPECT_FALSE(form2_->Log.LogDirty) << "a reload is no edit";
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
  // The copy's first line names the file as the text last met it.
  const auto kept = [&]() -> std::optional<std::string> {
    std::optional<std::string> bytes = Platform::TPendingBytes::KeptIn(unsaved.Fd());
    if (bytes) bytes->erase(0, bytes->find('\n') + 1);
    return bytes;
  };
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
    // Edited on both sides: the user keeps the window's text.
    WhenModal<QMessageBox>([](QMessageBox* box) { box->buttons().front()->click(); });
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
  Start();
  EXPECT_EQ(form2_->Memo1, nullptr) << "nothing is laid out while hidden";
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
  form2_->show();
  const QString text = form2_->Memo1->toPlainText();
  EXPECT_TRUE(text.startsWith(QStringLiteral("old line\n2026-12-06 18:41  ABNORMAL PROGRAM END\n")))
      << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("  Program restart\n")))
      << text.toStdString();  // then what the boot time says
  EXPECT_EQ(form2_->Memo1->textCursor().position(), text.size());
  EXPECT_EQ(ReadBytes(folder_ / "triplog.txt"), Monitor::BytesOfMemoText(text));
}

}  // namespace
