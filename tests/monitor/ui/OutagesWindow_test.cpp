// The Outages command: built on first use from the log window's text.
#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QAction>
#include <QLabel>
#include <QTableView>
#include <memory>

#include "calendar/Cdatlib.h"
#include "monitor/MonitorClock.h"
#include "monitor/ui/MonthBars.h"
#include "monitor/ui/OutagesWindow.h"
#include "monitor/ui/Unit1.h"
#include "monitor/ui/Unit2.h"

namespace {

TEST(OutagesWindow, TheMenuCommandShowsTheEditedLogWithTwelveMonthBars) {
  Cdatlib::Initialize();
  Monitor::MonitorClock = [] { return Monitor::TStampReading{{{2026, 12, 7}, {8, 2, 0}}, 0}; };
  struct TClockBack {
    ~TClockBack() { Monitor::MonitorClock = Monitor::ReadStampClock; }
  } clockBack;
  auto form1 = std::make_unique<TForm1>();
  auto form2 = std::make_unique<TForm2>();
  form2->Log.Edited(
      "2026-12-06 18:41  ABNORMAL PROGRAM END\r\n2026-12-07 08:02  Program restart\r\n"
      "2026-12-07 08:02  The computer started again at 2026-12-07 08:02\r\n");
  ASSERT_EQ(FOutages, nullptr) << "built before it was asked for";

  form1->Outages1->trigger();
  ASSERT_NE(FOutages, nullptr);
  EXPECT_TRUE(FOutages->isVisible());
  EXPECT_EQ(FOutages->StringGrid1->model()->rowCount(), 1);
  EXPECT_EQ(FOutages->StringGrid1->model()->index(0, 2).data().toString(), QStringLiteral("13 h 21 min"));
  EXPECT_EQ(FOutages->StringGrid1->model()->index(0, 3).data().toString(), QStringLiteral("computer"));
  EXPECT_EQ(FOutages->Label1->text(),
            QStringLiteral("1 outage since 2026-12-06; the longest 13 h 21 min on 2026-12-06; 13 h 21 min off in all"));
  EXPECT_EQ(FOutages->Chart1->BarCount(), 12);
}

}  // namespace
