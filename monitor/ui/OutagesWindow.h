// The Outages window: the outages the trip log records, a summary of them
// and a chart of the last twelve months. Built the first time it is opened.
#pragma once

#include <QMainWindow>
#include <string_view>

#include "calendar/Cdatlib.h"

class QAction;
class QLabel;
class QMenuBar;
class QTableView;
class TMonthBars;
class TOutageTable;

class TFOutages : public QMainWindow {
  Q_OBJECT

 public:
  TFOutages();
  ~TFOutages() override;

  QMenuBar* MainMenu1;
  QAction* Close1;
  QLabel* Label1;  // the summary
  QTableView* StringGrid1;
  QLabel* Label2;  // the chart's title
  TMonthBars* Chart1;

  // Fills the table, the summary and the chart from a trip log's text, with
  // the chart's twelve months ending in the month of now.
  void ShowOutages(std::string_view logText, const Cdatlib::TCalDateTime& now);

  // Event handlers.
  void Close1Click();

 private:
  TOutageTable* table_;
};

extern TFOutages* FOutages;
