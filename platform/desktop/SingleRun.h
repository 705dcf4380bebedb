// One monitor per program folder and user: a second start from the same
// folder asks the running copy to show its window and ends, so the trip log
// never gets a false outage from two copies judging the same checkpoint.
#pragma once

#include <QObject>
#include <string>

class QSocketNotifier;

namespace Desktop {

// The claim is an abstract Unix socket named after the user and the folder's
// device and inode, so the folder reached by any path is one folder. The
// kernel drops the name with the last descriptor of its process, so a power
// cut or a kill never leaves a lock behind. Anyone may bind such a name, so
// both sides check who is at the other end: another user's copy, or any
// process of another user holding the name, counts for nothing.
class TSingleRun : public QObject {
  Q_OBJECT

 public:
  explicit TSingleRun(const std::string& folder, QObject* parent = nullptr);
  ~TSingleRun() override;

  // Needs no application object. True when this process now watches the
  // folder (or no claim could be made at all: watching twice beats not
  // watching). False when this user's copy watches it; that copy has been
  // asked to show its window.
  bool Claim();

  // Once the application object exists: later starts' requests arrive.
  void AnswerRequests();

 signals:
  // A later start of the same user from the same folder asked for the window.
  void ShowRequested();

 private:
  void ConnectionArrived();

  std::string folder_;
  int listener_ = -1;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace Desktop
