// Waiting for a window's frame.
#include "platform/qt/FrameWait.h"

#include <QEvent>
#include <QWidget>

namespace PlatformQt {

namespace {

bool HasFrame(const QWidget* window) { return window->frameGeometry().size() != window->size(); }

class TFrameWait : public QObject {
 public:
  TFrameWait(QWidget* window, const char* purpose, std::function<void()> step)
      : QObject(window), step_(std::move(step)) {
    setObjectName(purpose);
    window->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* window = static_cast<QWidget*>(watched);
    if ((event->type() == QEvent::Move || event->type() == QEvent::Show) && HasFrame(window)) {
      window->removeEventFilter(this);
      deleteLater();
      step_();
    }
    return false;
  }

 private:
  std::function<void()> step_;
};

}  // namespace

void WhenFramed(QWidget* window, const char* purpose, std::function<void()> step) {
  delete window->findChild<TFrameWait*>(purpose, Qt::FindDirectChildrenOnly);
  if (HasFrame(window)) {
    step();
  } else {
    new TFrameWait(window, purpose, std::move(step));
  }
}

}  // namespace PlatformQt
