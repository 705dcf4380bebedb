// The log window: the trip log's text, to read, annotate and trim; edits
// are written back to triplog.txt when the window closes.
#pragma once

#include <QMainWindow>
#include <string>

#include "monitor/TripLog.h"

class QAction;
class QCloseEvent;
class QMenuBar;
class QPlainTextEdit;
class QShowEvent;

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

  // From now on Memo1 follows the log only while the window is visible and
  // catches up when it is shown: a long log then costs nothing at start-up
  // unless the user opens the window.
  void FillMemoWhenShown();

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

  bool showingLog_ = false;  // the window itself is changing Memo1
  size_t shownBytes_ = 0;    // how much of the log's text Memo1 shows
  bool fillWhenShown_ = false;
  bool memoBehind_ = false;  // the log changed while the hidden window did not follow
  Monitor::TLogChange lastChange_ = Monitor::TLogChange::Replaced;
};

extern TForm2* Form2;
