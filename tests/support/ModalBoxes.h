// Answers the modal boxes that a handler under test opens: the test names
// what it expects, and the box is read and closed from inside its loop.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>

// Polls until a modal QMessageBox is up, hands it to the check, then closes it.
inline void AnswerNextMessageBox(const std::function<void(QMessageBox&)>& check) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, check] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    poll->stop();
    poll->deleteLater();
    check(*box);
    box->done(QMessageBox::Ok);
  });
  poll->start(10);
}
