#include "monitor/ui/about1.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStringList>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextOption>
#include <QVBoxLayout>

#include "calendar/Cdatlib.h"
#include "monitor/ui/ProgramFileTime.h"
#include "monitor/ui/WindowAccess.h"
#include "monitor/ui/WindowLook.h"
#include "platform/desktop/EventErrors.h"
#include "platform/desktop/ProgramFonts.h"
#include "platform/desktop/ProgramIcon.h"
#include "platform/qt/Controls.h"
#include "platform/qt/QtText.h"

TFAbout1* FAbout1 = nullptr;

namespace {

const char* const DescriptionLines[] = {
    "",
    "to monitor when a power outage occurred ",
    "",
    "version 2.01 ( December 2017 )",
    "",
    "simplicity by design",
    "Tallyvane, the power outage monitor",
    "",
    "made by the Tallyvane project",
    "",
    "reach it through the project's issue tracker",
};

QString DescriptionText() {
  QStringList lines;
  for (const char* line : DescriptionLines) lines << QString::fromUtf8(line);
  return lines.join(u'\n');
}

QFrame* LoweredPanel(QWidget* parent) {
  auto* panel = new QFrame(parent);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  return panel;
}

void SetTextColour(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    palette.setColor(role, colour);
  widget->setPalette(palette);
}

}  // namespace

TFAbout1::TFAbout1() {
  FAbout1 = this;
  setWindowTitle(QStringLiteral("About"));
  setWindowIcon(Desktop::ProgramIcon());
  setModal(false);
  Monitor::PlaceWindow(this, 438, 46, 287, 316);

  Panel2 = LoweredPanel(this);
  Panel2->setFixedHeight(65);
  Monitor::SetBackground(Panel2, Monitor::Silver);
  Image1 = new QLabel(Panel2);
  Image1->setPixmap(Desktop::ProgramPixmap());
  Image1->setGeometry(5, 10, 32, 32);
  Image1->setAccessibleName(QStringLiteral("Tallyvane icon"));
  Label1 = PlatformQt::PlainLabel(Panel2, QStringLiteral("Tallyvane"), {46, 8}, Desktop::ArialFont(13, true));
  Label1->setWordWrap(true);
  // Black on the silver panel whatever the desktop's theme: a dark theme's
  // light text would vanish there.
  SetTextColour(Label1, Qt::black);
  Label2 = PlatformQt::PlainLabel(Panel2, QStringLiteral("Label2"), {46, 29}, Desktop::ArialFont(11, false));
  Label3 = PlatformQt::PlainLabel(Panel2, QStringLiteral("Label3"), {46, 45}, Desktop::ArialFont(11, false));

  // The description is made at the first showing: a text box lays out its
  // empty text in the application's default face as it is made, a font the
  // other windows never load.
  Memo1 = nullptr;

  Panel1 = LoweredPanel(this);
  Panel1->setFixedHeight(39);
  Panel3 = new QFrame(Panel1);
  Panel3->setFixedWidth(70);
  OKBtn = new QPushButton(QStringLiteral("OK"), Panel3);
  OKBtn->setGeometry(7, 8, 55, 25);
  OKBtn->setFont(Desktop::ArialFont(11, true));
  SetTextColour(OKBtn, Qt::black);
  OKBtn->setAutoDefault(false);
  Monitor::ShowFocusAlways(this);
  for (QFrame* panel : {Panel2, Panel1, Panel3}) Monitor::MarkLayoutOnly(panel);
  auto* bottomRow = new QHBoxLayout(Panel1);
  bottomRow->setContentsMargins(0, 0, 0, 0);
  bottomRow->addStretch();
  bottomRow->addWidget(Panel3);

  column_ = new QVBoxLayout(this);
  column_->setContentsMargins(0, 0, 0, 0);
  column_->setSpacing(0);
  column_->addWidget(Panel2);
  column_->addStretch(1);  // where the description goes
  column_->addWidget(Panel1);

  // Escape rejects the dialog, which hides it, like OK does.
  connect(OKBtn, &QPushButton::clicked, this, [this] { Desktop::RunHandler([this] { OKBtnClick(); }); });
}

TFAbout1::~TFAbout1() {
  if (FAbout1 == this) FAbout1 = nullptr;
}

void TFAbout1::ShowOrRaise() { Monitor::BringToFront(this); }

void TFAbout1::FormShow() {
  // A long program path widens the window rather than being cut off, also
  // when the time cannot be read and the error box follows.
  try {
    ShowProgramFileInfo(Label2, Label3);
  } catch (...) {
    LabelsChanged();
    throw;
  }
  LabelsChanged();
}

void TFAbout1::MakeDescription() {
  Memo1 = new QTextEdit(this);
  Memo1->setReadOnly(true);
  Memo1->setFocusPolicy(Qt::NoFocus);
  Memo1->setFont(Desktop::ArialFont(11, true));
  Memo1->setFrameStyle(QFrame::NoFrame);
  QPalette memoPalette = Memo1->palette();
  memoPalette.setColor(QPalette::Base, Monitor::Silver);
  Memo1->setPalette(memoPalette);
  SetTextColour(Memo1, Qt::black);
  // One setting of the whole text, centred as a whole, rather than laying it
  // out line by line.
  QTextOption centred = Memo1->document()->defaultTextOption();
  centred.setAlignment(Qt::AlignHCenter);
  Memo1->document()->setDefaultTextOption(centred);
  Memo1->setPlainText(DescriptionText());
  Memo1->setAccessibleName(QStringLiteral("Description"));
  delete column_->takeAt(1);
  column_->insertWidget(1, Memo1, 1);
  Memo1->stackUnder(Panel1);  // read before OK, as it stands
}

void TFAbout1::LabelsChanged() {
  KeepLabelsWhole();
  // A screen reader opening a dialog reads its description: the labels'
  // one- and two-word texts it would pass over.
  QStringList spoken = {Label1->text(), Label2->text(), Label3->text()};
  for (const char* line : DescriptionLines) {
    const QString words = QString::fromUtf8(line).trimmed();
    if (!words.isEmpty()) spoken << words;
  }
  setAccessibleDescription(spoken.join(QStringLiteral(". ")));
}

void TFAbout1::KeepLabelsWhole() {
  Monitor::KeepWideEnoughFor(this, {Label1, Label2, Label3}, Label2->x() - Image1->x());
}

void TFAbout1::OKBtnClick() { close(); }

void TFAbout1::setVisible(bool visible) {
  // Made before the window shows, so it shows with it.
  if (visible && Memo1 == nullptr) MakeDescription();
  QDialog::setVisible(visible);
}

void TFAbout1::showEvent(QShowEvent* event) {
  if (!labelsSized_) {
    for (QLabel* label : {Label1, Label2, Label3}) label->adjustSize();
    labelsSized_ = true;
  }
  QDialog::showEvent(event);
  // Shown from hidden, not merely brought to the front: refresh the labels.
  if (!event->spontaneous()) Desktop::RunHandler([this] { FormShow(); });
}

void ShowProgramFileInfo(QLabel* pathLabel, QLabel* timeLabel) {
  const std::string path = Cdatlib::RunningProgramPath();
  pathLabel->setText(PlatformQt::ToQt(Monitor::AsciiLowerCase(path)));
  pathLabel->adjustSize();
  timeLabel->setText(PlatformQt::ToQt(Cdatlib::StampTextOfValue(Monitor::FileModifiedValue(path))));
  timeLabel->adjustSize();
}
