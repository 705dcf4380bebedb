// The end of the user's session, by both routes a Linux desktop takes: the
// session manager's request to save and its quit, and SIGTERM, SIGHUP or
// SIGINT sent by systemd or the display manager at log-off and shutdown.
// An end signal that comes before the start-up writes its files ends the
// program at once (Platform::EndAtOnceBeforeWrites).
#pragma once

#include <QObject>

class QSessionManager;
class QSocketNotifier;

namespace Desktop {

class TSessionEnd : public QObject {
  Q_OBJECT

 public:
  // Installs the signal handlers; one object per process.
  explicit TSessionEnd(QObject* parent = nullptr);
  ~TSessionEnd() override;

 signals:
  // The session manager asks for data to be saved, before a log-off or at a
  // mere save. The program is not ending: a log-off that goes on ends it
  // through the session manager's quit, one that is cancelled leaves it
  // running.
  void SaveRequested();
  // An end signal arrived, or the session manager told the program to quit;
  // emitted once, on the user-interface thread.
  void Ending();

 protected:
  // Takes the application's quit: left to itself, it would close only the
  // windows that are shown, and a main window waiting in the notification
  // area would never record its end.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void End();
  void SignalArrived();
  void CommitDataRequested(QSessionManager& manager);
  void SaveStateRequested(QSessionManager& manager);

  QSocketNotifier* notifier_;
  bool ended_ = false;
};

}  // namespace Desktop
