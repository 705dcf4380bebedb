#include "platform/desktop/SleepWatch.h"

#include <fcntl.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusUnixFileDescriptor>

namespace Desktop {

namespace {

const QString Service = QStringLiteral("org.freedesktop.login1");
const QString Path = QStringLiteral("/org/freedesktop/login1");
const QString Manager = QStringLiteral("org.freedesktop.login1.Manager");

}  // namespace

void TSleepWatch::Start() {
  QDBusConnection bus = QDBusConnection::systemBus();
  if (!bus.isConnected()) return;
  // Only logind's own signals count: the service name makes the bus deliver
  // none that another client sends under the same path and name.
  bus.connect(Service, Path, Manager, QStringLiteral("PrepareForSleep"), this, SLOT(PrepareForSleep(bool)));
  AskForLock();
}

void TSleepWatch::AskForLock() {
  if (lock_.Valid() || asking_) return;
  QDBusMessage inhibit = QDBusMessage::createMethodCall(Service, Path, Manager, QStringLiteral("Inhibit"));
  inhibit << QStringLiteral("sleep") << QCoreApplication::applicationName()
          << QStringLiteral("Recording that the computer goes to sleep") << QStringLiteral("delay");
  asking_ = true;
  auto* answer = new QDBusPendingCallWatcher(QDBusConnection::systemBus().asyncCall(inhibit), this);
  connect(answer, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
    asking_ = false;
    const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *call;
    // The reply's descriptor closes with the reply: the lock keeps a copy.
    if (!reply.isError() && reply.value().isValid() && !lock_.Valid()) {
      lock_ = Platform::TUniqueFd(::fcntl(reply.value().fileDescriptor(), F_DUPFD_CLOEXEC, 0));
    }
    call->deleteLater();
  });
}

// logind may send either signal twice: each only writes a checkpoint, lets
// go of a lock that may be gone already, or asks for one when none is held.
void TSleepWatch::PrepareForSleep(bool sleeping) {
  if (sleeping) {
    emit SleepBegins();
    lock_.Close();
  } else {
    emit SleepEnded();
    AskForLock();
  }
}

}  // namespace Desktop
