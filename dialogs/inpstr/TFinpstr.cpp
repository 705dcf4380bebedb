// The text input window's construction and handlers.
#include "dialogs/inpstr/TFinpstr.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "calendar/Cdatlib.h"
#include "dialogs/cal/Cal.h"
#include "dialogs/inpstr/BevelPanel.h"
#include "dialogs/inpstr/CalendarPicture.h"
#include "dialogs/inpstr/Inpstr.h"
#include "platform/desktop/ProgramFonts.h"
#include "platform/qt/Controls.h"
#include "platform/qt/ProgramCursor.h"
#include "platform/qt/QtText.h"

namespace inpstr {

TFinpstr::TFinpstr(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  setObjectName("Finpstr");
  setFixedSize(245, 153);
  setFont(Desktop::SansSerifPixelFont(11, false));

  Panel1 = new TBevelPanel(this);
  Panel1->setObjectName("Panel1");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Panel1);

  Label1 = PlatformQt::PlainLabel(Panel1, QString(), QPoint(16, 16), QFont(), "Label1");
  Label2 = PlatformQt::PlainLabel(Panel1, QString(), QPoint(16, 37), QFont(), "Label2");
  // A text box lays out its empty text in the application's default face as
  // it is made, a font no window shown at start-up needs: Edit1 waits for
  // the first question.
  Edit1 = nullptr;
  CalBtn = new QToolButton(Panel1);
  CalBtn->setObjectName("CalBtn");
  CalBtn->setGeometry(192, 64, 23, 22);
  CalBtn->setIcon(CalendarPagePicture());
  CalBtn->setIconSize(QSize(16, 16));
  CalBtn->setToolTip("Calendar");
  CalBtn->setFocusPolicy(Qt::NoFocus);
  const QFont buttonFont = Desktop::SansSerifPixelFont(11, true);
  Button1 = PlatformQt::DialogButton(Panel1, "OK", QRect(64, 104, 57, 25), buttonFont, "Button1");
  Button1->setDefault(true);
  Button2 = PlatformQt::DialogButton(Panel1, "Cancel", QRect(128, 104, 57, 25), buttonFont, "Button2");

  connect(Panel1, &TBevelPanel::mousePressed, this, &TFinpstr::Panel1MouseDown);
  connect(Panel1, &TBevelPanel::mouseMoved, this, &TFinpstr::Panel1MouseMove);
  connect(Panel1, &TBevelPanel::mouseReleased, this, &TFinpstr::Panel1MouseUp);
  connect(Button1, &QPushButton::clicked, this, &TFinpstr::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TFinpstr::Button2Click);
  connect(CalBtn, &QToolButton::clicked, this, &TFinpstr::CalBtnClick);

  Finpstr = this;
}

TFinpstr::~TFinpstr() {
  if (Finpstr == this) Finpstr = nullptr;
}

QLineEdit* TFinpstr::AnswerBox() {
  if (Edit1 != nullptr) return Edit1;
  Edit1 = new QLineEdit(Panel1);
  Edit1->setObjectName("Edit1");
  Edit1->setGeometry(32, 64, 153, 21);
  // Where a screen reader would meet it had it been made with the others:
  // after the prompts.
  Edit1->stackUnder(CalBtn);
  Edit1->setFocus();
  return Edit1;
}

void TFinpstr::Panel1MouseDown(QMouseEvent* event) {
  PlatformQt::SetProgramCursor(Qt::DragMoveCursor);
  panelDrag_.Begin(this, event->globalPosition().toPoint());
}

void TFinpstr::Panel1MouseMove(QMouseEvent* event) {
  if (event->buttons() != Qt::NoButton && panelDrag_.Follow(event->globalPosition().toPoint())) return;
  // The drag cursor stays after a system move until the mouse is back here.
  if (PlatformQt::ProgramCursor() != Qt::ArrowCursor) PlatformQt::ClearProgramCursor();
}

void TFinpstr::Panel1MouseUp(QMouseEvent*) { panelDrag_.End(); }

void TFinpstr::Button1Click() {
  AnswerBox()->setFocus();
  accept();
}

void TFinpstr::Button2Click() {
  AnswerBox()->setFocus();
  reject();
}

void TFinpstr::CalBtnClick() {
  std::string text = PlatformQt::FromQt(AnswerBox()->text());
  Cdatlib::TCalDate date{0, 0, 0};
  // A box without a date opens the calendar on the last picked date, or on
  // today before the first pick.
  if (!Cdatlib::ParseIsoDate(text, date)) text = cal::LastPickedText;
  if (cal::PickDate(text)) Edit1->setText(PlatformQt::ToQt(text));
}

}  // namespace inpstr
