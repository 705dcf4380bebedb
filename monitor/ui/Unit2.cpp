#include "monitor/ui/Unit2.h"

#include <QCloseEvent>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QTextCursor>
#include <QTimer>

#include "calendar/Cdatlib.h"
#include "monitor/ui/MemoText.h"
#include "monitor/ui/WindowAccess.h"
#include "monitor/ui/WindowLook.h"
#include "platform/desktop/EventErrors.h"
#include "platform/desktop/ProgramFonts.h"
#include "platform/desktop/ProgramIcon.h"
#include "platform/qt/QtText.h"

TForm2* Form2 = nullptr;

namespace {

// Memo1 is filled a part at a time, as many parts as fit in a short slice
// per turn of the event loop: a long log never keeps the minute checkpoint
// or an end signal waiting.
constexpr size_t PartBytes = size_t{64} * 1024;
constexpr qint64 SliceMs = 40;
// Changes made within this time are kept together.
constexpr int KeepAfterMs = 250;

}  // namespace

TForm2::TForm2() {
  Form2 = this;
  setWindowTitle(QStringLiteral("Tallyvane log"));
  setWindowIcon(Desktop::ProgramIcon());
  setFont(Desktop::SansSerifPixelFont(11, false));
  Monitor::PlaceWindow(this, 328, 103, 696, 375);

  MainMenu1 = menuBar();
  Close1 = MainMenu1->addAction(QStringLiteral("&Close"));
  Monitor::CloseOnEscape(Close1);

  // Memo1 is made at the first showing: a text box lays out its empty text
  // in the application's default face as it is made, a font no window shown
  // at start-up needs.
  Memo1 = nullptr;
  Monitor::ShowFocusAlways(this);

  connect(Close1, &QAction::triggered, this, [this] { Desktop::RunHandler([this] { Close1Click(); }); });
  Log.SetChangeListener([this](Monitor::TLogChange change) { ShowLogChange(change); });
  Log.SetEditSource([this](std::string& text) { TakeMemoEdits(text); });
  Log.SetSaveListener([this] { LogSaved(); });

  fillTimer_ = new QTimer(this);
  fillTimer_->setSingleShot(true);
  fillTimer_->setInterval(0);
  connect(fillTimer_, &QTimer::timeout, this, [this] { FillSomeMore(); });
  keepTimer_ = new QTimer(this);
  keepTimer_->setSingleShot(true);
  keepTimer_->setInterval(KeepAfterMs);
  connect(keepTimer_, &QTimer::timeout, this, [this] { KeepUnsaved(); });

  FormCreate();
}

TForm2::~TForm2() {
  Log.SetChangeListener({});
  Log.SetEditSource({});
  Log.SetSaveListener({});
  if (Form2 == this) Form2 = nullptr;
}

void TForm2::ReloadLog() { Monitor::LoadLog(Log); }

void TForm2::ShowOrRaise() {
  if (!isVisible()) ReloadLog();
  Monitor::BringToFront(this);
  Memo1->setFocus();
}

void TForm2::MakeMemo1() {
  // Wrapping is for the screen only; the text keeps its long lines.
  Memo1 = new QPlainTextEdit(this);
  Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setCentralWidget(Memo1);
  // Tab leaves the text rather than writing a tab into the log file.
  Monitor::TabOnlyMovesFocus(Memo1);
  Memo1->setAccessibleName(QStringLiteral("Trip log"));
  memoBlocks_ = std::make_unique<Monitor::TMemoBlocks>(Memo1->document());
  connect(Memo1, &QPlainTextEdit::textChanged, this, [this] { Desktop::RunHandler([this] { Memo1Change(); }); });
  memoBehind_ = true;
}

void TForm2::KeepUnsavedIn(Platform::TPendingBytes* unsaved) { unsaved_ = unsaved; }

void TForm2::LogChanged() {
  // Not restarted by each key: a copy follows steady typing too.
  if (unsaved_ != nullptr && !keepTimer_->isActive()) keepTimer_->start();
}

void TForm2::KeepUnsaved() {
  if (Log.LogDirty && unsaved_ != nullptr) unsaved_->Keep(Platform::IdentityText(Log.OnDisk) + "\n", Log.Text());
}

void TForm2::LogSaved() {
  keepTimer_->stop();
  if (unsaved_ != nullptr) unsaved_->Drop();
}

void TForm2::FormCreate() { Log.LogPath = Monitor::LogPathInProgramFolder(); }

void TForm2::Memo1Change() {
  if (showingLog_) return;
  Log.EditedInView();
  LogChanged();
}

void TForm2::TakeMemoEdits(std::string& text) {
  memoBlocks_->Update(text, memoLines_);
  shownBytes_ = text.size();
}

// The user is there to choose when another program changed the file too.
bool TForm2::FormCloseQuery() {
  Monitor::SaveLogEdits(Log, [this] { return AskWhichTextWins(); });
  return true;
}

// An end with nobody to ask keeps both texts.
void TForm2::SaveUnasked() { Monitor::SaveLogEdits(Log, nullptr); }

Monitor::TLogChoice TForm2::AskWhichTextWins() {
  QMessageBox box(QMessageBox::Question, PlatformQt::ToQt(Cdatlib::ApplicationTitle()),
                  QStringLiteral("The trip log was changed by another program"), QMessageBox::NoButton, this);
  box.setInformativeText(QStringLiteral("Its file changed while you edited it here. Which text shall it keep?"));
  QPushButton* keep = box.addButton(QStringLiteral("&Keep the window's text"), QMessageBox::AcceptRole);
  box.addButton(QStringLiteral("&Take the file's"), QMessageBox::RejectRole);
  box.setDefaultButton(keep);
  box.exec();
  return box.clickedButton() == keep ? Monitor::TLogChoice::lcKeepWindow : Monitor::TLogChoice::lcTakeFile;
}

void TForm2::Close1Click() { close(); }

void TForm2::closeEvent(QCloseEvent* event) {
  // A failed save keeps the window open with its text, so the next close
  // tries again.
  event->ignore();
  Desktop::RunHandler([&] {
    if (FormCloseQuery()) event->accept();
  });
}

void TForm2::setVisible(bool visible) {
  // Made before the window shows, so it shows with it.
  if (visible && Memo1 == nullptr) MakeMemo1();
  QMainWindow::setVisible(visible);
}

void TForm2::showEvent(QShowEvent* event) {
  // Before the first paint, so the window never shows an old text.
  if (memoBehind_) ShowWholeLog(lastChange_);
  QMainWindow::showEvent(event);
}

void TForm2::ShowLogChange(Monitor::TLogChange change) {
  LogChanged();
  if (!isVisible()) {
    // A hidden window lays out nothing, so a long log costs nothing unless
    // the user opens the window; it catches up when shown, with the caret
    // and the view where the latest change puts them.
    memoBehind_ = true;
    lastChange_ = change;
    return;
  }
  if (memoBehind_ || change == Monitor::TLogChange::Replaced || shownBytes_ > Log.Text().size()) {
    ShowWholeLog(change);
  } else {
    FillMemo(change);  // only the new end is added
  }
}

void TForm2::ShowWholeLog(Monitor::TLogChange lastChange) {
  showingLog_ = true;
  Memo1->clear();
  showingLog_ = false;
  memoLines_.Forget();
  memoBlocks_->Forget();
  shownBytes_ = 0;
  memoBehind_ = false;
  FillMemo(lastChange);
}

void TForm2::FillMemo(Monitor::TLogChange lastChange) {
  lastChange_ = lastChange;
  if (!filling_) {
    // Nothing is typed into half a log, and the filling is no step to undo.
    filling_ = true;
    Memo1->setReadOnly(true);
    Memo1->setUndoRedoEnabled(false);
  }
  FillSomeMore();
}

void TForm2::FillSomeMore() {
  if (!filling_) return;
  const std::string& text = Log.Text();
  QElapsedTimer spent;
  spent.start();
  showingLog_ = true;
  while (shownBytes_ < text.size() && !spent.hasExpired(SliceMs)) {
    const size_t partEnd = Monitor::LinesEnd(text, shownBytes_, PartBytes);
    memoBlocks_->Append(text, shownBytes_, partEnd, memoLines_);
    shownBytes_ = partEnd;
  }
  showingLog_ = false;
  if (shownBytes_ < text.size()) {
    fillTimer_->start();
    return;
  }
  filling_ = false;
  Memo1->setUndoRedoEnabled(true);
  Memo1->setReadOnly(false);
  // After an append the view follows to the newest lines; a replaced text
  // opens at its start.
  if (lastChange_ == Monitor::TLogChange::Appended) {
    Memo1->moveCursor(QTextCursor::End);
    Memo1->ensureCursorVisible();
  } else {
    Memo1->moveCursor(QTextCursor::Start);
  }
}
