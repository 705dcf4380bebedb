#include "app/TApplication.h"

#include "platform/desktop/EventErrors.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    Desktop::ReportEventError(std::current_exception());
    return false;
  }
}
