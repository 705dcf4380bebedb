// A silver panel with a raised outer and a lowered inner bevel, which reports
// the mouse on its free area so that its window can be dragged by it.
#pragma once

#include <QWidget>

class QMouseEvent;

namespace inpstr {

class TBevelPanel : public QWidget {
  Q_OBJECT

 public:
  explicit TBevelPanel(QWidget* parent = nullptr);

 signals:
  void mousePressed(QMouseEvent* event);
  void mouseMoved(QMouseEvent* event);
  void mouseReleased(QMouseEvent* event);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace inpstr
