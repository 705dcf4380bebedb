// The About window: what the program is, which program file runs, and when
// that file was last changed.
#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;
class QTextEdit;
class QVBoxLayout;

class TFAbout1 : public QDialog {
  Q_OBJECT

 public:
  TFAbout1();
  ~TFAbout1() override;

  QFrame* Panel2;      // the silver head panel
  QLabel* Image1;      // the program's icon
  QLabel* Label1;      // the product name
  QLabel* Label2;      // the program file's path
  QLabel* Label3;      // the program file's modification time
  QTextEdit* Memo1;    // the description and version, made at the first showing
  QFrame* Panel1;      // the bottom panel
  QFrame* Panel3;      // holds OK at the bottom right
  QPushButton* OKBtn;  // hides the window; Escape presses it

  // Shows the window, or brings it to the front when it is already shown.
  void ShowOrRaise();

  // Event handlers.
  void FormShow();
  void OKBtnClick();

  void setVisible(bool visible) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void MakeDescription();
  void LabelsChanged();
  // Widens the window when a label's text is wider than the window.
  void KeepLabelsWhole();

  bool labelsSized_ = false;
  QVBoxLayout* column_;  // the head panel, the description, the bottom panel
};

// Fills the two labels with the program file's path, lower-cased in A to Z,
// and its modification time in the current stamp style.
void ShowProgramFileInfo(QLabel* pathLabel, QLabel* timeLabel);

extern TFAbout1* FAbout1;
