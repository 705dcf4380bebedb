// One monitor per program folder: a second start from the same folder asks
// the running copy to show its window and ends, so the trip log never gets a
// false outage from two copies judging the same checkpoint.
#pragma once

#include <QObject>
#include <string>

class QSocketNotifier;

namespace Desktop {

// The claim is an abstract Unix socket named after the folder. The kernel
// drops the name with the last descriptor of its process, so a power cut or
// a kill never leaves a lock behind.
class TSingleRun : public QObject {
  Q_OBJECT

 public:
  explicit TSingleRun(const std::string& folder, QObject* parent = nullptr);
  ~TSingleRun() override;

  // True when this process now watches the folder (or no claim could be
  // made at all: watching twice beats not watching). False when another
  // copy watches it; that copy has been asked to show its window.
  bool Claim();

 signals:
  // A later start from the same folder asked for the window.
  void ShowRequested();

 private:
  void ConnectionArrived();

  std::string name_;
  int listener_ = -1;
  QSocketNotifier* notifier_ = nullptr;
};

// The socket name for a folder: the same folder gives the same name.
std::string SingleRunName(const std::string& folder);

}  // namespace Desktop
