// Where the computer's sleep is met: logind on the system bus says when the
// computer is about to sleep and when it woke, and holds the sleep back
// (a delay lock) until the program has written what it must first.
#pragma once

#include <QObject>

#include "platform/UniqueFd.h"

namespace Desktop {

class TSleepWatch : public QObject {
  Q_OBJECT

 public:
  explicit TSleepWatch(QObject* parent = nullptr) : QObject(parent) {}

  // Connects to logind and asks for the delay lock, without waiting for the
  // answer. Without a system bus or without logind nothing happens, and
  // nothing is said: the program then runs as it would without sleep.
  void Start();

 signals:
  // Before the sleep, while the lock holds it back; the lock is let go
  // once the handlers have returned.
  void SleepBegins();
  // After the wake-up; a new lock is asked for.
  void SleepEnded();

 private slots:
  void PrepareForSleep(bool sleeping);

 private:
  void AskForLock();

  Platform::TUniqueFd lock_;
  bool asking_ = false;
};

}  // namespace Desktop
