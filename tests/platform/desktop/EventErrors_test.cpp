// An error escaping an event handler: the program's application object shows
// it in the error box and delivers the next events as before.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QTest>
#include <stdexcept>

#include "app/TApplication.h"
#include "support/ModalBoxes.h"

namespace {

class TFailingObject : public QObject {
 public:
  bool event(QEvent* e) override {
    if (e->type() == QEvent::User) throw std::runtime_error("Something broke");
    return QObject::event(e);
  }
};

TEST(EventErrors, AnErrorEscapingAHandlerIsShownAndTheProgramGoesOn) {
  ASSERT_NE(dynamic_cast<TApplication*>(QCoreApplication::instance()), nullptr);
  TFailingObject object;
  bool shown = false;
  AnswerNextMessageBox([&](QMessageBox& box) {
    shown = true;
    EXPECT_EQ(box.text(), QStringLiteral("Something broke."));
    EXPECT_EQ(box.icon(), QMessageBox::Critical);
  });
  QEvent event(QEvent::User);
  EXPECT_FALSE(QCoreApplication::sendEvent(&object, &event));
  EXPECT_TRUE(QTest::qWaitFor([&] { return shown; }, 2000));
  QEvent harmless(static_cast<QEvent::Type>(QEvent::User + 1));
  EXPECT_TRUE(QCoreApplication::sendEvent(&object, &harmless)) << "events are still delivered";
}

}  // namespace
