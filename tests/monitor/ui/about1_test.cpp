// The About window: its labels refreshed at every showing, and its texts
// readable in a dark theme.
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTimer>
#include <vector>

#include "MonitorWindowsTest.h"

namespace {

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

TEST(AboutWindow, TextsStayBlackOnTheSilverPanelInADarkTheme) {
  const QPalette saved = QApplication::palette();
  QPalette dark = saved;
  for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    dark.setColor(role, Qt::white);
  QApplication::setPalette(dark);
  {
    TFAbout1 about;
    about.show();
    const std::pair<const char*, QWidget*> texts[] = {
        {"title", about.Label1}, {"description", about.Memo1}, {"OK", about.OKBtn}};
    for (const auto& [name, widget] : texts)
      EXPECT_EQ(widget->palette().color(widget->foregroundRole()), QColor(Qt::black)) << name;
  }
  QApplication::setPalette(saved);
}

}  // namespace
