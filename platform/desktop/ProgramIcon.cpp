#include "platform/desktop/ProgramIcon.h"

#include <QCoreApplication>

#include "platform/desktop/TallyvaneIcon.xpm"

namespace Desktop {

namespace {

// Every window and the notification area show it: the picture is decoded
// once and shared, until the application that shows it ends.
QPixmap* Decoded = nullptr;

void ForgetDecoded() {
  delete Decoded;
  Decoded = nullptr;
}

}  // namespace

QPixmap ProgramPixmap() {
  if (Decoded == nullptr) {
    Decoded = new QPixmap(TallyvaneIconXpm);
    qAddPostRoutine(ForgetDecoded);
  }
  return *Decoded;
}

QIcon ProgramIcon() { return QIcon(ProgramPixmap()); }

}  // namespace Desktop
