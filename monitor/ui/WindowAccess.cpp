#include "monitor/ui/WindowAccess.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPlainTextEdit>
#include <QWidget>

namespace Monitor {

namespace {

// With no other control to go to, the text's own Tab would type the key:
// it is dropped instead.
class TTabFilter : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab) return false;
    auto* text = static_cast<QWidget*>(watched);
    for (QWidget* other = text->nextInFocusChain(); other != text; other = other->nextInFocusChain()) {
      if ((other->focusPolicy() & Qt::TabFocus) && other->isEnabled() && other->isVisibleTo(text->window()))
        return false;
    }
    return true;
  }
};

const char* const LayoutOnly = "layoutOnly";

QAccessibleInterface* LayoutInterface(const QString& className, QObject* object) {
  if (className != QLatin1String("QFrame") || !object->property(LayoutOnly).toBool()) return nullptr;
  return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Client);
}

}  // namespace

void MarkLayoutOnly(QWidget* frame) {
  static const bool factoryInstalled = [] {
    QAccessible::installFactory(LayoutInterface);
    return true;
  }();
  (void)factoryInstalled;
  frame->setProperty(LayoutOnly, true);
}

void TabOnlyMovesFocus(QPlainTextEdit* text) {
  text->setTabChangesFocus(true);
  text->installEventFilter(new TTabFilter(text));
}

void BringToFront(QWidget* window) {
  window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  window->show();
  window->raise();
  window->activateWindow();
}

void ShowFocusAlways(QWidget* window) { window->setAttribute(Qt::WA_KeyboardFocusChange); }

void CloseOnEscape(QAction* closeCommand) { closeCommand->setShortcut(QKeySequence::Cancel); }

}  // namespace Monitor
