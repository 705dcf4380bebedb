#include "monitor/ui/MonthBars.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <algorithm>

#include "monitor/MonthChartText.h"
#include "platform/qt/QtText.h"

namespace {

constexpr int BarAreaHeight = 90;  // the least room for the bars, in pixels of the window's scale
const QColor BarColour(0, 0, 128);

QString ShortMonthName(int month) { return PlatformQt::ToQt(Monitor::ShortMonthName(month)); }

// A screen reader meets the bars as a chart, not as an anonymous filler.
QAccessibleInterface* ChartInterface(const QString& className, QObject* object) {
  if (className != QLatin1String("TMonthBars") || !object->isWidgetType()) return nullptr;
  return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Chart);
}

}  // namespace

TMonthBars::TMonthBars(QWidget* parent) : QWidget(parent) {
  static const bool factoryInstalled = [] {
    QAccessible::installFactory(ChartInterface);
    return true;
  }();
  (void)factoryInstalled;
  setBackgroundRole(QPalette::Base);
  setAutoFillBackground(true);
  // Reached with Tab, so that the counts can be read out like any control.
  setFocusPolicy(Qt::TabFocus);
}

void TMonthBars::SetMonths(std::vector<Monitor::TMonthCount> months) {
  months_ = std::move(months);
  // The text alternative is made from the very counts that are painted.
  setAccessibleDescription(PlatformQt::ToQt(Monitor::MonthCountsText(months_)));
  updateGeometry();
  update();
}

int TMonthBars::SlotWidth() const {
  const QFontMetrics metrics = fontMetrics();
  return std::max({metrics.horizontalAdvance(QStringLiteral("Mmm")), metrics.horizontalAdvance(QStringLiteral("0000")),
                   metrics.horizontalAdvance(QStringLiteral("999"))}) +
         metrics.averageCharWidth() * 2;
}

QSize TMonthBars::minimumSizeHint() const {
  // A count line above the bars and two label lines below them.
  const int lines = fontMetrics().height();
  return {SlotWidth() * std::max(BarCount(), 1) + lines, BarAreaHeight + 4 * lines};
}

QSize TMonthBars::sizeHint() const { return minimumSizeHint(); }

void TMonthBars::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.backgroundColor = palette().color(QPalette::Base);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
  }
  if (months_.empty()) return;
  const QFontMetrics metrics = fontMetrics();
  const int line = metrics.height();
  const int slot = (width() - line) / BarCount();
  const int baseline = height() - 2 * line - line / 2;  // the bars stand on it
  const int tallest = std::max(baseline - 2 * line, 1);
  int most = 1;
  for (const Monitor::TMonthCount& month : months_) most = std::max(most, month.Outages);

  painter.setPen(palette().color(QPalette::Text));
  painter.drawLine(line / 2, baseline, width() - line / 2, baseline);
  for (int i = 0; i < BarCount(); ++i) {
    const Monitor::TMonthCount& month = months_[static_cast<size_t>(i)];
    const QRect column(line / 2 + i * slot, 0, slot, height());
    const int barHeight = month.Outages * tallest / most;
    const int barWidth = slot * 3 / 5;
    if (barHeight > 0) {
      painter.fillRect(column.center().x() - barWidth / 2, baseline - barHeight, barWidth, barHeight, BarColour);
    }
    if (month.Outages > 0) {
      painter.drawText(QRect(column.left(), baseline - barHeight - line, slot, line), Qt::AlignCenter,
                       QString::number(month.Outages));
    }
    painter.drawText(QRect(column.left(), baseline + line / 4, slot, line), Qt::AlignCenter,
                     ShortMonthName(month.Month));
    if (i == 0 || month.Month == 1) {
      painter.drawText(QRect(column.left(), baseline + line / 4 + line, slot, line), Qt::AlignCenter,
                       QString::number(month.Year));
    }
  }
}
