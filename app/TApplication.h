// The program's QApplication: the last stop for errors that escape an event
// handler, which are shown in the error box while the program goes on.
#pragma once

#include <QApplication>

class TApplication : public QApplication {
 public:
  TApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};
