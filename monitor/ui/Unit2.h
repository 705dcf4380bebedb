// The log window: the trip log's text, to read, annotate and trim; edits
// are written back to triplog.txt when the window closes.
#pragma once

#include <QMainWindow>
#include <memory>
#include <string>

#include "monitor/TripLog.h"
#include "monitor/ui/MemoBlocks.h"
#include "monitor/ui/MemoText.h"
#include "platform/PendingBytes.h"

class QAction;
class QCloseEvent;
class QMenuBar;
class QPlainTextEdit;
class QShowEvent;
class QTimer;

class TForm2 : public QMainWindow {
  Q_OBJECT

 public:
  TForm2();
  ~TForm2() override;

  QMenuBar* MainMenu1;    // the menu bar
  QAction* Close1;        // "Close": closes the window, saving an edited log
  QPlainTextEdit* Memo1;  // the trip log's text, editable; made at the first showing

  // The trip log whose working copy this window shows.
  Monitor::TTripLog Log;

  void ReloadLog();  // LoadLog into this window

  // The Log command: a hidden window is reloaded and shown; an open one holds
  // what the user is typing and only comes to the front.
  void ShowOrRaise();

  // Memo1 is being filled, a part at each turn of the event loop.
  bool Filling() const { return filling_; }

  // From now on, while the log has changes not saved, what a save would
  // write is kept in `unsaved` shortly after each change, for an end that
  // leaves the program no time to save, after a line that names the file as
  // the text last met it (UnsavedLog reads both back); a save drops it.
  void KeepUnsavedIn(Platform::TPendingBytes* unsaved);

  // Event handlers.
  void FormCreate();
  void Memo1Change();
  bool FormCloseQuery();
  void Close1Click();

  // The save at an end with nobody to ask: edits on both sides are both kept.
  void SaveUnasked();

  void setVisible(bool visible) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void MakeMemo1();
  void ShowLogChange(Monitor::TLogChange change);
  void ShowWholeLog(Monitor::TLogChange lastChange);
  void FillMemo(Monitor::TLogChange lastChange);
  void FillSomeMore();
  void TakeMemoEdits(std::string& text);
  void LogChanged();
  void KeepUnsaved();
  void LogSaved();
  Monitor::TLogChoice AskWhichTextWins();

  bool showingLog_ = false;  // the window itself is changing Memo1
  size_t shownBytes_ = 0;    // how much of the log's text Memo1 shows
  bool memoBehind_ = false;  // the log changed while the hidden window did not follow
  bool filling_ = false;     // Memo1 has not yet caught up with the log
  Monitor::TLogChange lastChange_ = Monitor::TLogChange::Replaced;
  Monitor::TMemoLines memoLines_;                     // what the cut lines of Memo1 hide
  std::unique_ptr<Monitor::TMemoBlocks> memoBlocks_;  // which lines of Memo1 are as shown
  QTimer* fillTimer_;                                 // the next part of the filling
  Platform::TPendingBytes* unsaved_ = nullptr;
  QTimer* keepTimer_;  // the copy of the unsaved log, a moment after a change
};

extern TForm2* Form2;
