// The information box at the mouse cursor.
#include "platform/qt/MessageAtCursor.h"

#include <QCursor>
#include <QMessageBox>

#include "calendar/Cdatlib.h"
#include "platform/qt/CursorPlacement.h"
#include "platform/qt/QtText.h"

namespace PlatformQt {

namespace {

// A message box that takes its place only once it knows its own size, which
// QMessageBox settles when it is about to be shown.
class TBoxAtPoint : public QMessageBox {
 public:
  explicit TBoxAtPoint(QPoint wanted) : wanted_(wanted) {}

 protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);
    PlaceOnPrimaryScreen(this, wanted_);
  }

 private:
  QPoint wanted_;
};

}  // namespace

void ShowMessageAtCursor(const std::string& message) {
  TBoxAtPoint box(DialogPointAtCursor());
  box.setIcon(QMessageBox::Information);
  box.setWindowTitle(ToQt(Cdatlib::ApplicationTitle()));
  // Plain text: an "&" or a "<" in the message shows as itself.
  box.setTextFormat(Qt::PlainText);
  box.setText(ToQt(message));
  box.setStandardButtons(QMessageBox::Ok);
  box.setDefaultButton(QMessageBox::Ok);
  box.setEscapeButton(QMessageBox::Ok);
  // Modality first: setting it afterwards drops the stay-on-top hint.
  box.setWindowModality(Qt::ApplicationModal);
  box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
  box.exec();
  LastBoxClosePoint = QCursor::pos();
}

}  // namespace PlatformQt
