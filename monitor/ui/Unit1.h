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
class TSleepWatch;
}  // namespace Desktop

class TForm1 : public QMainWindow, public Monitor::TMonitorWindow {
  Q_OBJECT

 public:
  TForm1();
  ~TForm1() override;

  QLabel* Label1;                            // the verdict on the previous run
  QLabel* Label2;                            // the time of this run's latest checkpoint
  QLabel* Label3;                            // says how often the checkpoint is refreshed
  QLabel* Label4;                            // what the boot time says after an abnormal end
  QPushButton* Button1;                      // Continue: the window goes to the notification area
  QMenuBar* MainMenu1;                       // Exit, Log, Outages, About
  QAction* Exit1;                            // ends the program through the close query
  QAction* Log1;                             // reloads and shows the trip log window
  QAction* Outages1;                         // shows the outages read from the trip log
  QAction* About1;                           // shows the About window
  QTimer* Timer1;                            // the minute checkpoint
  Desktop::TNotificationIcon* TrayIconData;  // the icon that brings the window back
  Desktop::TSleepWatch* PowerNotify;         // the computer's sleep; started once the window shows

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
  void WMPowerBroadcast(bool suspending);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void LabelsChanged();
  // Widens the window when a label's text is wider than the window.
  void KeepLabelsWhole();

  // Built on first use, so that start-up does not pay for it.
  std::unique_ptr<TFOutages> outages_;
};

extern TForm1* Form1;
