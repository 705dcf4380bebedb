// The words of the outages-per-month chart: the short month names it paints
// and the same counts as one text, for those who cannot see the bars.
#pragma once

#include <string>
#include <vector>

#include "monitor/Outages.h"

namespace Monitor {

// "Jan" for 1; "" outside 1..12.
std::string ShortMonthName(int month);

// "Jan 2026: 0, Feb 2026: 1, ..." in the chart's order.
std::string MonthCountsText(const std::vector<TMonthCount>& months);

}  // namespace Monitor
