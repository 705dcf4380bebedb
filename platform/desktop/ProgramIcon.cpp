#include "platform/desktop/ProgramIcon.h"

#include <QPixmapCache>

#include "platform/desktop/TallyvaneIcon.xpm"

namespace Desktop {

QPixmap ProgramPixmap() {
  // Every window and the notification area show it: the picture is decoded
  // once and shared. The cache is the application's, so it goes with it.
  static const QString key = QStringLiteral("tallyvane-program-icon");
  QPixmap picture;
  if (!QPixmapCache::find(key, &picture)) {
    picture = QPixmap(TallyvaneIconXpm);
    QPixmapCache::insert(key, picture);
  }
  return picture;
}

QIcon ProgramIcon() { return QIcon(ProgramPixmap()); }

}  // namespace Desktop
