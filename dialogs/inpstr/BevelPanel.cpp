// The silver double-bevelled panel.
#include "dialogs/inpstr/BevelPanel.h"

#include <qdrawutil.h>
#include <QMouseEvent>
#include <QPainter>

#include "platform/qt/Colours.h"

namespace inpstr {

namespace {

constexpr int BevelWidth = 2;

}  // namespace

TBevelPanel::TBevelPanel(QWidget* parent) : QWidget(parent) {
  QPalette colours = palette();
  colours.setColor(QPalette::Window, PlatformQt::Silver);
  colours.setColor(QPalette::Light, QColor(255, 255, 255));
  colours.setColor(QPalette::Dark, QColor(128, 128, 128));
  setPalette(colours);
  setAutoFillBackground(true);
  // Moves without a button held arrive too, to put the arrow back after a drag.
  setMouseTracking(true);
}

void TBevelPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect outer = rect();
  qDrawShadePanel(&painter, outer, palette(), false, BevelWidth);
  qDrawShadePanel(&painter, outer.adjusted(BevelWidth, BevelWidth, -BevelWidth, -BevelWidth), palette(), true,
                  BevelWidth);
}

void TBevelPanel::mousePressEvent(QMouseEvent* event) {
  // A press a child left unhandled (a prompt label's) comes here too; only
  // the panel's free area starts a drag.
  if (childAt(event->position().toPoint()) != nullptr) return;
  emit mousePressed(event);
}

void TBevelPanel::mouseMoveEvent(QMouseEvent* event) { emit mouseMoved(event); }

void TBevelPanel::mouseReleaseEvent(QMouseEvent* event) { emit mouseReleased(event); }

}  // namespace inpstr
