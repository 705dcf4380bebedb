#include "monitor/MonthChartText.h"

#include "calendar/Cdatlib.h"

namespace Monitor {

std::string ShortMonthName(int month) { return Cdatlib::MonthName(month).substr(0, 3); }

std::string MonthCountsText(const std::vector<TMonthCount>& months) {
  std::string text;
  for (const TMonthCount& month : months) {
    if (!text.empty()) text += ", ";
    text += ShortMonthName(month.Month) + " " + std::to_string(month.Year) + ": " + std::to_string(month.Outages);
  }
  return text;
}

}  // namespace Monitor
