// The one way the program's windows make their labels.
#pragma once

#include <QFont>
#include <QPoint>
#include <QString>

class QLabel;
class QWidget;

namespace PlatformQt {

// A label placed by hand in its parent that shows its text as it stands,
// never as markup: a text from a file or from the user must not turn into a
// link or styled text. A default font leaves the parent's. The label is not
// sized: adjustSize() measures the text, which loads the font, so a window
// that may never open sizes its labels when it first shows.
QLabel* PlainLabel(QWidget* parent, const QString& text, QPoint place = {}, const QFont& font = {},
                   const char* name = "");

}  // namespace PlatformQt
