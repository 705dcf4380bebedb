// The labels and buttons the windows place by hand.
#include "platform/qt/Controls.h"

#include <QLabel>
#include <QPushButton>

namespace PlatformQt {

QLabel* PlainLabel(QWidget* parent, const QString& text, QPoint place, const QFont& font, const char* name) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  if (font.resolveMask() != 0) label->setFont(font);
  label->move(place);
  return label;
}

QPushButton* DialogButton(QWidget* parent, const QString& caption, QRect place, const QFont& font, const char* name) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setGeometry(place);
  button->setFont(font);
  button->setFocusPolicy(Qt::ClickFocus);
  return button;
}

}  // namespace PlatformQt
