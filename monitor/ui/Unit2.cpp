#include "monitor/ui/Unit2.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QShowEvent>
#include <QTextCursor>

#include "monitor/ui/MemoText.h"
#include "monitor/ui/WindowAccess.h"
#include "monitor/ui/WindowLook.h"
#include "platform/desktop/EventErrors.h"
#include "platform/desktop/ProgramFonts.h"
#include "platform/desktop/ProgramIcon.h"

TForm2* Form2 = nullptr;

TForm2::TForm2() {
  Form2 = this;
  setWindowTitle(QStringLiteral("Tallyvane log"));
  setWindowIcon(Desktop::ProgramIcon());
  setFont(Desktop::SansSerifPixelFont(11, false));
  Monitor::PlaceWindow(this, 328, 103, 696, 375);

  MainMenu1 = menuBar();
  Close1 = MainMenu1->addAction(QStringLiteral("&Close"));
  Monitor::CloseOnEscape(Close1);

  // Wrapping is for the screen only; the text keeps its long lines.
  Memo1 = new QPlainTextEdit(this);
  Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setCentralWidget(Memo1);
  // Tab leaves the text rather than writing a tab into the log file.
  Monitor::TabOnlyMovesFocus(Memo1);
  Memo1->setAccessibleName(QStringLiteral("Trip log"));
  Monitor::ShowFocusAlways(this);

  connect(Memo1, &QPlainTextEdit::textChanged, this, [this] { Desktop::RunHandler([this] { Memo1Change(); }); });
  connect(Close1, &QAction::triggered, this, [this] { Desktop::RunHandler([this] { Close1Click(); }); });
  Log.SetChangeListener([this](Monitor::TLogChange change) { ShowLogChange(change); });

  FormCreate();
}

TForm2::~TForm2() {
  Log.SetChangeListener({});
  if (Form2 == this) Form2 = nullptr;
}

void TForm2::ReloadLog() { Monitor::LoadLog(Log); }

void TForm2::FillMemoWhenShown() { fillWhenShown_ = true; }

void TForm2::FormCreate() { Log.LogPath = Monitor::LogPathInProgramFolder(); }

void TForm2::Memo1Change() {
  if (showingLog_) return;
  std::string text = Monitor::BytesOfMemoText(Memo1->document()->toRawText());
  shownBytes_ = text.size();
  Log.Edited(std::move(text));
}

bool TForm2::FormCloseQuery() {
  if (Log.LogDirty) Monitor::SaveLog(Log);
  return true;
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

void TForm2::showEvent(QShowEvent* event) {
  // Before the first paint, so the window never shows an old text.
  if (memoBehind_) ShowWholeLog(lastChange_);
  QMainWindow::showEvent(event);
}

void TForm2::ShowLogChange(Monitor::TLogChange change) {
  if (fillWhenShown_ && !isVisible()) {
    // The caret and the view end up where the latest change puts them.
    memoBehind_ = true;
    lastChange_ = change;
    return;
  }
  if (memoBehind_) {
    ShowWholeLog(change);
    return;
  }
  const std::string& text = Log.Text();
  showingLog_ = true;
  if (change == Monitor::TLogChange::Appended && shownBytes_ <= text.size()) {
    // Only the new end is added, and the view follows it to the newest lines.
    QTextCursor cursor(Memo1->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(Monitor::MemoTextOfBytes(std::string_view(text).substr(shownBytes_)));
    Memo1->setTextCursor(cursor);
    Memo1->ensureCursorVisible();
  } else {
    Memo1->setPlainText(Monitor::MemoTextOfBytes(text));
    Memo1->moveCursor(QTextCursor::Start);
  }
  shownBytes_ = text.size();
  showingLog_ = false;
}

void TForm2::ShowWholeLog(Monitor::TLogChange lastChange) {
  const std::string& text = Log.Text();
  showingLog_ = true;
  Memo1->setPlainText(Monitor::MemoTextOfBytes(text));
  if (lastChange == Monitor::TLogChange::Appended) {
    Memo1->moveCursor(QTextCursor::End);
    Memo1->ensureCursorVisible();
  } else {
    Memo1->moveCursor(QTextCursor::Start);
  }
  shownBytes_ = text.size();
  memoBehind_ = false;
  showingLog_ = false;
}
