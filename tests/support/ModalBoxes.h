// Drives the modal windows that code under test opens: the test names what
// it expects, and the window is handled from inside its own loop.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <functional>

// Runs action on the next modal window of type T as soon as it shows; the
// modal call that shows it must come after this. Deleting the timer handed
// back calls the wait off.
template <typename T>
QPointer<QTimer> WhenModal(std::function<void(T*)> action) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, action] {
    T* window = qobject_cast<T*>(QApplication::activeModalWidget());
    if (window == nullptr || !window->isVisible()) return;
    poll->stop();
    poll->deleteLater();
    action(window);
  });
  poll->start(5);
  return poll;
}

// Hands the next message box to the check, then closes it with OK.
inline QPointer<QTimer> AnswerNextMessageBox(const std::function<void(QMessageBox&)>& check) {
  return WhenModal<QMessageBox>([check](QMessageBox* box) {
    check(*box);
    box->done(QMessageBox::Ok);
  });
}
