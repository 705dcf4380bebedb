#include "platform/qt/PlainLabel.h"

#include <QLabel>

namespace PlatformQt {

QLabel* PlainLabel(QWidget* parent, const QString& text, QPoint place, const QFont& font, const char* name) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  if (font.resolveMask() != 0) label->setFont(font);
  label->move(place);
  return label;
}

}  // namespace PlatformQt
