// The end of the user's session, by both routes a Linux desktop takes: the
// session manager's request to save, and SIGTERM, SIGHUP or SIGINT sent by
// systemd or the display manager at log-off and shutdown.
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
  // Emitted once, on the user-interface thread, for the first of the routes.
  void Ending();

 private:
  void SignalArrived();
  void CommitDataRequested(QSessionManager& manager);
  void End();

  QSocketNotifier* notifier_;
  bool ended_ = false;
};

}  // namespace Desktop
