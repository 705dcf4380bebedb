// The outages a trip log records: each abnormal end paired with the restart
// that followed it, and with what the boot time said then; a one-line
// summary, and the outages of the last months.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/Cdatlib.h"

namespace Monitor {

// What the line after the restart said went down.
enum TWentDown { wdUnknown, wdComputer, wdProgramOnly, wdAsleep };

struct TOutage {
  int64_t LostAfter;              // minute of the abnormal end's stamp
  std::optional<int64_t> BackAt;  // minute of the computer's start, else of the restart; none without either
  std::optional<int64_t> OffFor;  // real minutes; none without a way back or when the clock was wrong
  TWentDown WentDown = wdUnknown;

  // A stop of the program alone is no outage of the computer.
  bool IsOutage() const { return WentDown != wdProgramOnly; }
};

struct TOutageRecord {
  std::vector<TOutage> Outages;  // in the order of the log, stops of the program alone among them
  std::optional<int64_t> Since;  // the first stamp of the log: when it began
};

// The table's cells: the two stamps, the length and what went down; empty
// where unknown.
struct TOutageTexts {
  std::string LostAfter, BackAt, OffFor, WentDown;
};
TOutageTexts TextsOf(const TOutage& outage);

// Reads the text with CR, LF or CR LF breaks. Lines whose first sixteen
// bytes are no stamp are skipped. A restart belongs to the abnormal end just
// before it, and the boot time's line to that restart, unless another
// verdict line comes between them.
TOutageRecord ReadOutages(std::string_view logText);

// "3 outages since 2026-01-04; 1 stop of this program alone; the longest
// 13 h 15 min on 2026-12-06; 14 h 2 min off in all"
std::string OutageSummary(const TOutageRecord& record);

struct TMonthCount {
  uint16_t Year, Month;
  int Outages;
};

// The twelve months up to and including the month of now, oldest first;
// stops of the program alone do not count.
std::vector<TMonthCount> OutagesPerMonth(const TOutageRecord& record, const Cdatlib::TCalDateTime& now);

}  // namespace Monitor
