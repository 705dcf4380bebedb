// The program's icon: a 32 x 32 picture in 16 colours, shown by every
// window and in the notification area.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace Desktop {

QPixmap ProgramPixmap();
QIcon ProgramIcon();

}  // namespace Desktop
