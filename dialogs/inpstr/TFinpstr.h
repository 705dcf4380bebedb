// The text input window: one or two prompt lines over a one-line text box,
// frameless, moved by dragging its background.
#pragma once

#include <QDialog>

#include "platform/qt/WindowMove.h"

class QLabel;
class QLineEdit;
class QMouseEvent;
class QPushButton;
class QToolButton;

namespace inpstr {

class TBevelPanel;

class TFinpstr : public QDialog {
  Q_OBJECT

 public:
  // Builds the window hidden and makes it the module's Finpstr.
  explicit TFinpstr(QWidget* parent = nullptr);
  ~TFinpstr() override;

  // Edit1, made at the first use.
  QLineEdit* AnswerBox();

  TBevelPanel* Panel1;   // the window's face; dragging its free area moves the window
  QLabel* Label1;        // the prompt
  QLabel* Label2;        // the second prompt line, hidden when there is none
  QLineEdit* Edit1;      // the answer; made by the first AnswerBox
  QToolButton* CalBtn;   // opens the calendar to pick a date into Edit1
  QPushButton* Button1;  // OK
  QPushButton* Button2;  // Cancel

 private slots:
  void Panel1MouseDown(QMouseEvent* event);
  void Panel1MouseMove(QMouseEvent* event);
  void Panel1MouseUp(QMouseEvent* event);
  void Button1Click();
  void Button2Click();
  void CalBtnClick();

 private:
  PlatformQt::TWindowMove panelDrag_;
};

}  // namespace inpstr
