#include "platform/desktop/SessionEnd.h"

#include <fcntl.h>
#include <unistd.h>

#include <QEvent>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <csignal>
#include <cstring>

#include "platform/EndSignals.h"

namespace Desktop {

namespace {

// The signal handler only writes here; the notifier reads on the UI thread.
int SignalPipe[2] = {-1, -1};

extern "C" void OnEndSignal(int signalNumber) {
  Platform::EndAtOnceBeforeWrites();
  const int savedErrno = errno;
  const char byte = static_cast<char>(signalNumber);
  [[maybe_unused]] const ssize_t written = write(SignalPipe[1], &byte, 1);
  errno = savedErrno;
}

}  // namespace

TSessionEnd::TSessionEnd(QObject* parent) : QObject(parent), notifier_(nullptr) {
  if (pipe2(SignalPipe, O_CLOEXEC | O_NONBLOCK) == 0) {
    notifier_ = new QSocketNotifier(SignalPipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TSessionEnd::SignalArrived);
    struct sigaction action {};
    action.sa_handler = OnEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : Platform::EndSignals) sigaction(signalNumber, &action, nullptr);
  }
  if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    connect(app, &QGuiApplication::commitDataRequest, this, &TSessionEnd::CommitDataRequested, Qt::DirectConnection);
    connect(app, &QGuiApplication::saveStateRequest, this, &TSessionEnd::SaveStateRequested, Qt::DirectConnection);
    app->installEventFilter(this);
  }
}

TSessionEnd::~TSessionEnd() {
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  for (const int signalNumber : Platform::EndSignals) sigaction(signalNumber, &action, nullptr);
  for (int& fd : SignalPipe) {
    if (fd >= 0) close(fd);
    fd = -1;
  }
}

void TSessionEnd::SignalArrived() {
  char bytes[16];
  while (read(SignalPipe[0], bytes, sizeof bytes) > 0) {
  }
  End();
}

bool TSessionEnd::eventFilter(QObject* watched, QEvent* event) {
  if (watched != QCoreApplication::instance() || event->type() != QEvent::Quit) return false;
  End();
  return true;
}

void TSessionEnd::End() {
  if (ended_) return;
  ended_ = true;
  emit Ending();
}

// The autostart entry starts the program at log-in; a copy restored by the
// session manager as well would be a second monitor of the same folder.
void TSessionEnd::CommitDataRequested(QSessionManager& manager) {
  manager.setRestartHint(QSessionManager::RestartNever);
  // Nothing to ask the user: returning agrees to the end of the session.
  emit SaveRequested();
}

void TSessionEnd::SaveStateRequested(QSessionManager& manager) {
  manager.setRestartHint(QSessionManager::RestartNever);
}

}  // namespace Desktop
