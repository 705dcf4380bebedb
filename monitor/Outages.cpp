#include "monitor/Outages.h"

#include "monitor/BootLine.h"
#include "monitor/StampMinutes.h"
#include "monitor/ZoneTime.h"
#include "platform/TextLines.h"

namespace Monitor {

namespace {

constexpr std::string_view AbnormalWords = "ABNORMAL PROGRAM END";
constexpr std::string_view RestartWords = "Program restart";
constexpr std::string_view NormalEndWords = "Normal program shutdown";
constexpr std::string_view FirstStartWords = "Program start - first time on this PC";

// Where the reading stands after the latest verdict line.
enum TAwaiting { awNothing, awRestart, awBootLine };

// The text after a line's stamp, from its first non-blank byte on: a hand
// edit may have changed the blanks or added a note at the end.
std::string_view WordsAfterStamp(std::string_view line) {
  std::string_view words = line.substr(StampLength);
  while (!words.empty() && (words.front() == ' ' || words.front() == '\t')) words.remove_prefix(1);
  return words;
}

std::string CountText(std::size_t count, const std::string& what) {
  return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

// A clock that was not yet set after the outage can read earlier than the
// abnormal end: no length rather than a negative one.
void ComeBack(TOutage& outage, int64_t backAt) {
  outage.BackAt = backAt;
  const int64_t offFor = RealMinutesBetween(outage.LostAfter, backAt);
  outage.OffFor = offFor >= 0 ? std::optional<int64_t>(offFor) : std::nullopt;
}

// "<boot stamp>[ without waking from sleep]: it was off for at most <time>".
// The start computed the time off from real instants, which the local stamps
// of the log cannot give across a change of time zone or in an hour that
// came twice, so it is taken as the line says; a line edited out of that
// form has it counted from the stamps.
void TakeComputerLine(TOutage& outage, std::string_view line) {
  const std::optional<int64_t> start = MinutesOfStamp(line.substr(0, StampLength));
  const std::string_view rest = start ? line.substr(StampLength) : std::string_view();
  outage.WentDown = rest.starts_with(WithoutWakingWords) ? wdAsleep : wdComputer;
  if (!start) return;
  ComeBack(outage, *start);
  const std::string_view offFor = rest.substr(outage.WentDown == wdAsleep ? WithoutWakingWords.size() : 0);
  if (!offFor.starts_with(OffForWords)) return;
  if (const auto minutes = MinutesOfDurationText(offFor.substr(OffForWords.size()))) outage.OffFor = minutes;
}

}  // namespace

TOutageTexts TextsOf(const TOutage& outage) {
  constexpr const char* WentDownTexts[] = {"", "computer", "program only", "asleep"};
  return {StampOfMinutes(outage.LostAfter), outage.BackAt ? StampOfMinutes(*outage.BackAt) : "",
          outage.OffFor   ? DurationText(*outage.OffFor)
          : outage.BackAt ? "clock was wrong"
                          : "",
          WentDownTexts[outage.WentDown]};
}

TOutageRecord ReadOutages(std::string_view logText) {
  TOutageRecord record;
  TAwaiting awaiting = awNothing;
  Platform::ForEachLine(logText, [&](std::string_view line) {
    const std::optional<int64_t> stamp = MinutesOfStamp(line.substr(0, StampLength));
    if (!stamp) return;
    if (!record.Since) record.Since = stamp;
    const std::string_view words = WordsAfterStamp(line);
    if (words.starts_with(AbnormalWords)) {
      record.Outages.push_back({*stamp, std::nullopt, std::nullopt});
      awaiting = awRestart;
    } else if (words.starts_with(RestartWords)) {
      if (awaiting == awRestart) ComeBack(record.Outages.back(), *stamp);
      awaiting = awaiting == awRestart ? awBootLine : awNothing;
    } else if (words.starts_with(ComputerStartedWords) && awaiting != awNothing) {
      TakeComputerLine(record.Outages.back(), words.substr(ComputerStartedWords.size()));
      awaiting = awNothing;
    } else if (words.starts_with(KeptRunningWords) && awaiting != awNothing) {
      record.Outages.back().WentDown = wdProgramOnly;
      awaiting = awNothing;
    } else if (words.starts_with(ClockSetBackWords) || words.starts_with(NormalEndWords) ||
               words.starts_with(FirstStartWords)) {
      awaiting = awNothing;
    }
  });
  return record;
}

std::string OutageSummary(const TOutageRecord& record) {
  const std::size_t count = static_cast<std::size_t>(
      std::count_if(record.Outages.begin(), record.Outages.end(), [](const TOutage& o) { return o.IsOutage(); }));
  const std::size_t stops = record.Outages.size() - count;
  std::string text = count == 0 ? "No outages" : CountText(count, "outage");
  if (record.Since) text += " since " + DateOfMinutes(*record.Since);
  if (stops > 0) text += "; " + CountText(stops, "stop") + " of this program alone";
  const TOutage* longest = nullptr;
  int64_t total = 0;
  for (const TOutage& outage : record.Outages) {
    if (!outage.IsOutage() || !outage.OffFor) continue;
    total += *outage.OffFor;
    if (!longest || *outage.OffFor > *longest->OffFor) longest = &outage;
  }
  if (longest) {
    text += "; the longest " + DurationText(*longest->OffFor) + " on " + DateOfMinutes(longest->LostAfter) + "; " +
            DurationText(total) + " off in all";
  } else if (count > 0) {
    text += "; none with a known length";
  }
  return text;
}

std::vector<TMonthCount> OutagesPerMonth(const TOutageRecord& record, const Cdatlib::TCalDateTime& now) {
  const int64_t lastMonth = Cdatlib::MonthIndex(now.Date);
  const int64_t firstMonth = lastMonth - 11;
  std::vector<TMonthCount> months;
  for (int64_t month = firstMonth; month <= lastMonth; ++month) {
    const Cdatlib::TCalDate first = Cdatlib::FirstOfMonthIndex(month);
    months.push_back({first.Year, first.Month, 0});
  }
  for (const TOutage& outage : record.Outages) {
    const int64_t month = MonthOfMinutes(outage.LostAfter);
    if (outage.IsOutage() && month >= firstMonth && month <= lastMonth)
      ++months[static_cast<std::size_t>(month - firstMonth)].Outages;
  }
  return months;
}

}  // namespace Monitor
