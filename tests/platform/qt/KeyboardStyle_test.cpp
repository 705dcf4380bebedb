// Where the keyboard is can be seen on each style Debian ships: on the
// default button from the start, and on the menu bar reached with Alt.
#include <gtest/gtest.h>

#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QTest>

#include "calendar/Cdatlib.h"
#include "monitor/ui/Unit1.h"
#include "platform/qt/KeyboardStyle.h"

TEST(KeyboardFocus, IsVisibleOnTheDefaultButtonAndTheMenuBar) {
  Cdatlib::Initialize();
  const QString original = QApplication::style()->name();
  for (const char* style : {"Fusion", "Windows"}) {
    PlatformQt::UseKeyboardStyle(QString::fromLatin1(style));
    TForm1 form;
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form) && form.Button1->hasFocus()) << style;
    const QImage focusedButton = form.Button1->grab().toImage(), idleBar = form.MainMenu1->grab().toImage();
    QTest::sendKeyEvent(QTest::Press, &form, Qt::Key_Alt, QString(), Qt::AltModifier);
    QTest::sendKeyEvent(QTest::Release, &form, Qt::Key_Alt, QString(), Qt::NoModifier);
    EXPECT_TRUE(form.MainMenu1->hasFocus()) << style << ": Alt did not reach the menu bar";
    EXPECT_NE(form.MainMenu1->grab().toImage(), idleBar) << style << ": no mark on the menu bar";
    EXPECT_NE(form.Button1->grab().toImage(), focusedButton) << style << ": no mark on the focused button";
  }
  QApplication::setStyle(original);
}
