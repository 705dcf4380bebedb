#include "monitor/ui/Unit1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <initializer_list>
#include <stdexcept>

#include "calendar/Cdatlib.h"
#include "monitor/MonitorClock.h"
#include "monitor/StartUp.h"
#include "monitor/ui/OutagesWindow.h"
#include "monitor/ui/Unit2.h"
#include "monitor/ui/WindowAccess.h"
#include "monitor/ui/WindowLook.h"
#include "monitor/ui/about1.h"
#include "platform/desktop/EventErrors.h"
#include "platform/desktop/NotificationIcon.h"
#include "platform/desktop/ProgramFonts.h"
#include "platform/desktop/ProgramIcon.h"
#include "platform/desktop/SleepWatch.h"
#include "platform/qt/Controls.h"
#include "platform/qt/QtText.h"

TForm1* Form1 = nullptr;

namespace {

// The verdict repeats the checkpoint file's text as it stands, never as markup.
QLabel* MakeLabel(QWidget* parent, int left, int top, const QString& text) {
  QLabel* label = PlatformQt::PlainLabel(parent, text, {left, top}, Desktop::SansSerifPixelFont(16, false));
  label->adjustSize();
  return label;
}

void SetLabelText(QLabel* label, const std::string& text) {
  label->setText(PlatformQt::ToQt(text));
  label->adjustSize();
}

// The shown lines as one text to be read out, one sentence each.
QString SpokenLines(std::initializer_list<const QLabel*> labels) {
  QStringList lines;
  for (const QLabel* label : labels) {
    if (!label->text().isEmpty()) lines << label->text();
  }
  return lines.join(QStringLiteral(". "));
}

}  // namespace

TForm1::TForm1() {
  Form1 = this;
  setWindowTitle(QStringLiteral("Tallyvane"));
  setWindowIcon(Desktop::ProgramIcon());
  setFont(Desktop::SansSerifPixelFont(11, false));
  Monitor::PlaceWindow(this, 220, 122, 696, 247);

  auto* client = new QWidget(this);
  Monitor::SetBackground(client, Monitor::Silver);
  setCentralWidget(client);

  Label1 = MakeLabel(client, 48, 48, QString());
  Label1->setToolTip(QStringLiteral("the last checkpoint of the previous run"));
  Label2 = MakeLabel(client, 48, 80, QStringLiteral("[no new checkpoint]"));
  Label4 = MakeLabel(client, 48, 112, QString());
  Label4->hide();
  Label3 = MakeLabel(client, 48, 144, QStringLiteral("(the checkpoint is refreshed every minute) "));

  Button1 = new QPushButton(QStringLiteral("Continue"), client);
  Button1->setGeometry(594, 156, 75, 25);
  Button1->setToolTip(QStringLiteral("the program will continue to write checkpoints in the background"));
  Button1->setDefault(true);
  Button1->setFocus();
  Monitor::ShowFocusAlways(this);

  MainMenu1 = menuBar();
  Exit1 = MainMenu1->addAction(QStringLiteral("&Exit"));
  Log1 = MainMenu1->addAction(QStringLiteral("&Log"));
  Outages1 = MainMenu1->addAction(QStringLiteral("&Outages"));
  About1 = MainMenu1->addAction(QStringLiteral("&About"));

  // Created stopped; the start-up sequence sets its interval and starts it.
  Timer1 = new QTimer(this);
  Timer1->setTimerType(Qt::CoarseTimer);

  TrayIconData = new Desktop::TNotificationIcon(this);
  PowerNotify = new Desktop::TSleepWatch(this);

  connect(Button1, &QPushButton::clicked, this, [this] { Desktop::RunHandler([this] { Button1Click(); }); });
  connect(Exit1, &QAction::triggered, this, [this] { Desktop::RunHandler([this] { Exit1Click(); }); });
  connect(Log1, &QAction::triggered, this, [this] { Desktop::RunHandler([this] { Log1Click(); }); });
  connect(Outages1, &QAction::triggered, this, [this] { Desktop::RunHandler([this] { Outages1Click(); }); });
  connect(About1, &QAction::triggered, this, [this] { Desktop::RunHandler([this] { About1Click(); }); });
  connect(Timer1, &QTimer::timeout, this, [this] { Desktop::RunHandler([this] { Timer1Timer(); }); });
  connect(TrayIconData, &Desktop::TNotificationIcon::LeftButtonPressed, this,
          [this] { Desktop::RunHandler([this] { WMTrayIcon(); }); });
  connect(PowerNotify, &Desktop::TSleepWatch::SleepBegins, this,
          [this] { Desktop::RunHandler([this] { WMPowerBroadcast(true); }); });
  connect(PowerNotify, &Desktop::TSleepWatch::SleepEnded, this,
          [this] { Desktop::RunHandler([this] { WMPowerBroadcast(false); }); });

  FormCreate();
}

TForm1::~TForm1() {
  FormDestroy();
  if (Form1 == this) Form1 = nullptr;
}

void TForm1::SetVerdictText(const std::string& text) {
  SetLabelText(Label1, text);
  LabelsChanged();
}

void TForm1::SetCheckpointText(const std::string& text) {
  SetLabelText(Label2, text);
  LabelsChanged();
}

void TForm1::SetBootText(const std::string& text) {
  SetLabelText(Label4, text);
  // Without a computer line there is nothing to read out there.
  Label4->setVisible(!text.empty());
  LabelsChanged();
}

void TForm1::LabelsChanged() {
  KeepLabelsWhole();
  // A screen reader reads out a window's description when the window
  // appears, and then only the focused button: the labels themselves
  // would be passed over.
  setAccessibleDescription(SpokenLines({Label1, Label2, Label4}));
}

void TForm1::KeepLabelsWhole() {
  // The right margin mirrors the labels' left one.
  Monitor::KeepWideEnoughFor(this, {Label1, Label2, Label4, Label3}, Label1->x());
}

void TForm1::StartCheckpointTimer(int intervalMs) {
  Timer1->setInterval(intervalMs);
  Timer1->start();
  if (!Timer1->isActive()) throw std::runtime_error("Not enough timers available");
}

void TForm1::FormCreate() { TrayIconData->Add(PlatformQt::ToQt(Cdatlib::ApplicationTitle())); }

void TForm1::FormDestroy() { TrayIconData->Remove(); }

// The log window's edits are saved first: a failed save keeps the program
// running with the text, as it keeps the log window open.
bool TForm1::FormCloseQuery() {
  return (Form2 == nullptr || Form2->FormCloseQuery()) && Monitor::CloseQueryCheckpoint(*this);
}

// Leaves the event loop at once: quit() would first close every other window,
// and the close query has already saved what they hold.
void TForm1::FormClose() { QCoreApplication::exit(0); }

void TForm1::WMTrayIcon() { Monitor::BringToFront(this); }

void TForm1::Button1Click() {
  // Without an icon in the notification area nothing could show a hidden
  // window again, so the window only goes down to the taskbar.
  if (TrayIconData->IsShown()) {
    hide();
  } else {
    showMinimized();
  }
}

void TForm1::Exit1Click() { close(); }

void TForm1::Log1Click() { Form2->ShowOrRaise(); }

// Reads the log window's text, so that the user's edits count.
void TForm1::Outages1Click() {
  if (!outages_) outages_ = std::make_unique<TFOutages>();
  outages_->ShowOutages(Form2->Log.Text(), Monitor::MonitorClock().Local);
  Monitor::BringToFront(outages_.get());
}

void TForm1::About1Click() { FAbout1->ShowOrRaise(); }

void TForm1::Timer1Timer() { Monitor::CheckpointTimerTick(*this); }

// The minute timer stands still while the computer sleeps: a checkpoint at
// each edge keeps the file true to the minute around the sleep.
void TForm1::WMPowerBroadcast(bool suspending) {
  if (suspending) {
    Monitor::SleepCheckpoint(*this);
  } else {
    Monitor::CheckpointTimerTick(*this);
  }
}

void TForm1::closeEvent(QCloseEvent* event) {
  // Refused until the final checkpoint is written: a failed write leaves the
  // window open, the timer running and the error in its box.
  event->ignore();
  Desktop::RunHandler([&] {
    if (FormCloseQuery()) {
      event->accept();
      FormClose();
    }
  });
}
