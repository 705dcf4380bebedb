// The labels and push buttons that the program's windows place by hand.
#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

namespace PlatformQt {

// A label placed by hand in its parent that shows its text as it stands,
// never as markup: a text from a file or from the user must not turn into a
// link or styled text. A default font leaves the parent's. The label is not
// sized: adjustSize() measures the text, which loads the font, so a window
// that may never open sizes its labels when it first shows.
QLabel* PlainLabel(QWidget* parent, const QString& text, QPoint place = {}, const QFont& font = {},
                   const char* name = "");

// A push button at a place in its parent that takes the keyboard focus on a
// click only, never by Tab.
QPushButton* DialogButton(QWidget* parent, const QString& caption, QRect place, const QFont& font, const char* name);

}  // namespace PlatformQt
