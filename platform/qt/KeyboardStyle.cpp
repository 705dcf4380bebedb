#include "platform/qt/KeyboardStyle.h"

#include <QApplication>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStyleOptionFocusRect>
#include <QStyleOptionMenuItem>

namespace PlatformQt {

namespace {

class TKeyboardStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;

  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    // Fusion leaves a lone Alt unused, so a menu bar without sub-menus
    // could only be reached by its letters.
    if (hint == SH_MenuBar_AltKeyNavigation) return 1;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }

  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override {
    // Fusion marks a menu bar item only while its menu is open: the item
    // the keyboard is on is drawn as if it were.
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element == CE_MenuBarItem && item != nullptr && (item->state & State_Selected) && widget != nullptr &&
        widget->hasFocus()) {
      QStyleOptionMenuItem marked = *item;
      marked.state |= State_Sunken;
      QProxyStyle::drawControl(element, &marked, painter, widget);
      return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
    // Fusion draws the default button in the colours of focus, so focus on
    // it could not be seen: the focused button gets a focus frame as well.
    if (element == CE_PushButton && (option->state & State_HasFocus)) {
      QStyleOptionFocusRect focus;
      focus.QStyleOption::operator=(*option);
      focus.state |= State_KeyboardFocusChange;
      focus.rect = subElementRect(SE_PushButtonFocusRect, option, widget);
      if (focus.rect.isEmpty()) focus.rect = option->rect.adjusted(3, 3, -3, -3);
      QProxyStyle::drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
    }
  }
};

}  // namespace

void UseKeyboardStyle(const QString& baseStyle) { QApplication::setStyle(new TKeyboardStyle(baseStyle)); }

}  // namespace PlatformQt
