// The program-wide mouse cursor, kept as at most one override.
#include "platform/qt/ProgramCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace PlatformQt {

void SetProgramCursor(Qt::CursorShape shape) {
  // Qt stacks overrides; the program only ever wants one in force.
  if (QGuiApplication::overrideCursor() != nullptr) {
    QGuiApplication::changeOverrideCursor(QCursor(shape));
  } else {
    QGuiApplication::setOverrideCursor(QCursor(shape));
  }
}

void ClearProgramCursor() {
  while (QGuiApplication::overrideCursor() != nullptr) QGuiApplication::restoreOverrideCursor();
}

Qt::CursorShape ProgramCursor() {
  const QCursor* cursor = QGuiApplication::overrideCursor();
  return cursor != nullptr ? cursor->shape() : Qt::ArrowCursor;
}

}  // namespace PlatformQt
