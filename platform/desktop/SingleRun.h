// One monitor per program folder: a second start from the same folder asks
// the running copy to show its window and ends, so the trip log never gets
// a false outage from two copies judging the same checkpoint.
#pragma once

#include <sys/types.h>

#include <QObject>
#include <string>

#include "platform/FolderLock.h"

class QSocketNotifier;

namespace Desktop {

// Who may write the folder's files is settled by its locks (FolderLock.h),
// which nothing outlives. The running copy also listens at an abstract Unix
// socket named after the user and the folder, where later starts of the
// same user ask it for its window. Anyone may bind such a name, so both
// sides check who is at the other end: a later start talks only to the
// process that holds the lock, and the copy answers only its own user.
class TSingleRun : public QObject {
  Q_OBJECT

 public:
  explicit TSingleRun(const std::string& folder, QObject* parent = nullptr);
  ~TSingleRun() override;

  enum TClaim {
    clClaimed,       // this process now writes the folder's files
    clShownThere,    // this user's copy does, and showed its window
    clNoAnswer,      // this user's copy does, and did not answer (stopped, or stalled on a disk)
    clOtherAccount,  // another account's copy does (HolderUid)
  };

  // Needs no application object. Every outcome but clClaimed leaves the
  // folder's files alone.
  TClaim Claim();
  uid_t HolderUid() const { return holderUid_; }

  // Once the application object exists: later starts' requests arrive.
  void AnswerRequests();

 signals:
  // A later start of the same user from the same folder asked for the window.
  void ShowRequested();

 private:
  void ConnectionArrived();
  bool AskToShow(pid_t holder) const;

  std::string folder_;
  Platform::TFolderLock lock_;
  uid_t holderUid_ = 0;
  int listener_ = -1;
  QSocketNotifier* notifier_ = nullptr;
};

// "alice", or the number of an account without a name.
std::string AccountName(uid_t uid);

}  // namespace Desktop
