// A bar chart of outages per month: one bar per month with its count above
// it and the month's name below, the year under each January and the first.
#pragma once

#include <QWidget>
#include <vector>

#include "monitor/Outages.h"

class TMonthBars : public QWidget {
  Q_OBJECT

 public:
  explicit TMonthBars(QWidget* parent = nullptr);

  void SetMonths(std::vector<Monitor::TMonthCount> months);
  int BarCount() const { return static_cast<int>(months_.size()); }

  QSize minimumSizeHint() const override;
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int SlotWidth() const;  // the widest label plus a gap

  std::vector<Monitor::TMonthCount> months_;
};
