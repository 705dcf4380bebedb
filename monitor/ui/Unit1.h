// The main window: the verdict, the latest checkpoint, the menu, the
// minute timer and the icon in the notification area.
#pragma once

#include <QMainWindow>
#include <memory>

#include "monitor/MonitorWindow.h"

class QAction;
class QCloseEvent;
class QLabel;
class QMenuBar;
class QPushButton;
class QTimer;
class TFOutages;

namespace Desktop {
class TNotificationIcon;
}

class TForm1 : public QMainWindow, public Monitor::TMonitorWindow {
  Q_OBJECT

 public:
  TForm1();
  ~TForm1() override;

  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label4;  // what the boot time says after an abnormal end
  QPushButton* Button1;
  QMenuBar* MainMenu1;
  QAction* Exit1;
  QAction* Log1;
  QAction* Outages1;
  QAction* About1;
  QTimer* Timer1;
  Desktop::TNotificationIcon* TrayIconData;

  void SetVerdictText(const std::string& text) override;
  void SetCheckpointText(const std::string& text) override;
  void SetBootText(const std::string& text) override;
  void StartCheckpointTimer(int intervalMs) override;

  // Event handlers.
  void FormCreate();
  void FormDestroy();
  bool FormCloseQuery();
  void FormClose();
  void WMTrayIcon();
  void Button1Click();
  void Exit1Click();
  void Log1Click();
  void Outages1Click();
  void About1Click();
  void Timer1Timer();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Widens the window when a label's text is wider than the window.
  void KeepLabelsWhole();

  // Built on first use, so that start-up does not pay for it.
  std::unique_ptr<TFOutages> outages_;
};

extern TForm1* Form1;
