// The outages a trip log records: each abnormal end paired with the restart
// that followed it, a one-line summary, and the outages of the last months.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/Cdatlib.h"

namespace Monitor {

struct TOutage {
  int64_t LostAfter;               // minute of the abnormal end's stamp
  std::optional<int64_t> BackAt;   // minute of the restart; none without one
  std::optional<int64_t> OffFor;   // none without a restart or when its clock ran behind
};

struct TOutageRecord {
  std::vector<TOutage> Outages;    // in the order of the log
  std::optional<int64_t> Since;    // the first stamp of the log: when it began
};

// The table's cells: the two stamps and the length; empty where unknown.
struct TOutageTexts {
  std::string LostAfter, BackAt, OffFor;
};
TOutageTexts TextsOf(const TOutage& outage);

// Reads the text with CR, LF or CR LF breaks. Lines whose first sixteen
// bytes are no stamp are skipped; a restart belongs to the abnormal end
// before it unless another abnormal end comes between them.
TOutageRecord ReadOutages(std::string_view logText);

// "3 outages since 2026-01-04; the longest 13 h 15 min on 2026-12-06; 14 h 2 min off in all"
std::string OutageSummary(const TOutageRecord& record);

struct TMonthCount {
  uint16_t Year, Month;
  int Outages;
};

// The twelve months up to and including the month of now, oldest first.
std::vector<TMonthCount> OutagesPerMonth(const TOutageRecord& record, const Cdatlib::TCalDateTime& now);

}  // namespace Monitor
