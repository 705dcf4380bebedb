// A calendar page drawn at 16 x 16 pixels: a binding strip over a white leaf
// ruled into days, one of them marked.
#include "dialogs/inpstr/CalendarPicture.h"

#include <QPainter>
#include <QPixmap>

namespace inpstr {

namespace {

struct TPageColours {
  QColor Leaf, Edge, Strip, Rule, Mark;
};

QPixmap DrawPage(const TPageColours& colours) {
  QPixmap picture(16, 16);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setPen(colours.Edge);
  painter.setBrush(colours.Leaf);
  painter.drawRect(1, 2, 13, 12);
  painter.fillRect(2, 3, 12, 3, colours.Strip);
  painter.fillRect(4, 1, 1, 3, colours.Edge);
  painter.fillRect(11, 1, 1, 3, colours.Edge);
  for (int y = 7; y <= 12; y += 2) {
    for (int x = 3; x <= 12; x += 2) painter.fillRect(x, y, 1, 1, colours.Rule);
  }
  painter.fillRect(8, 9, 3, 3, colours.Mark);
  return picture;
}

}  // namespace

QIcon CalendarPagePicture() {
  QIcon icon;
  icon.addPixmap(DrawPage({Qt::white, QColor(64, 64, 64), QColor(192, 0, 0), QColor(96, 96, 96), QColor(0, 0, 160)}),
                 QIcon::Normal);
  icon.addPixmap(DrawPage({QColor(224, 224, 224), QColor(128, 128, 128), QColor(160, 160, 160), QColor(160, 160, 160),
                           QColor(144, 144, 144)}),
                 QIcon::Disabled);
  return icon;
}

}  // namespace inpstr
