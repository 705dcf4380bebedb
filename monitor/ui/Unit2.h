// The log window: the trip log's text, to read, annotate and trim; edits
// are written back to triplog.txt when the window closes.
#pragma once

#include <QMainWindow>
#include <string>

#include "monitor/TripLog.h"
#include "monitor/ui/MemoText.h"

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
  QPlainTextEdit* Memo1;  // the trip log's text, editable

  // The trip log whose working copy this window shows.
  Monitor::TTripLog Log;

  void ReloadLog();  // LoadLog into this window

  // The Log command: a hidden window is reloaded and shown; an open one holds
  // what the user is typing and only comes to the front.
  void ShowOrRaise();

  // From now on Memo1 follows the log only while the window is visible and
  // catches up when it is shown: a long log then costs nothing at start-up
  // unless the user opens the window.
  void FillMemoWhenShown();

  // Memo1 is being filled, a part at each turn of the event loop.
  bool Filling() const { return filling_; }

  // Event handlers.
  void FormCreate();
  void Memo1Change();
  bool FormCloseQuery();
  void Close1Click();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void ShowLogChange(Monitor::TLogChange change);
  void ShowWholeLog(Monitor::TLogChange lastChange);
  void FillMemo(Monitor::TLogChange lastChange);
  void FillSomeMore();
  std::string BytesOfMemo();

  bool showingLog_ = false;  // the window itself is changing Memo1
  size_t shownBytes_ = 0;    // how much of the log's text Memo1 shows
  bool fillWhenShown_ = false;
  bool memoBehind_ = false;  // the log changed while the hidden window did not follow
  bool filling_ = false;     // Memo1 has not yet caught up with the log
  Monitor::TLogChange lastChange_ = Monitor::TLogChange::Replaced;
  Monitor::TMemoLines memoLines_;  // what the cut lines of Memo1 hide
  QTimer* fillTimer_;               // the next part of the filling
};

extern TForm2* Form2;
