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

  TBevelPanel* Panel1;
  QLabel* Label1;
  QLabel* Label2;
  QLineEdit* Edit1;
  QToolButton* CalBtn;
  QPushButton* Button1;
  QPushButton* Button2;

 private slots:
  void Panel1MouseDown(QMouseEvent* event);
  void Panel1MouseMove(QMouseEvent* event);
  void Panel1MouseUp(QMouseEvent* event);
  void Button1Click();
  void Button2Click();
  void CalBtnClick();

 private:
  Cdatlib::TWindowMove PanelDrag;
};

}  // namespace inpstr
