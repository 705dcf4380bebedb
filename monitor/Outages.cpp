#include "monitor/Outages.h"

#include <algorithm>

#include "monitor/StampMinutes.h"

namespace Monitor {

namespace {

constexpr std::string_view AbnormalWords = "ABNORMAL PROGRAM END";
constexpr std::string_view RestartWords = "Program restart";

// The text after a line's stamp, from its first non-blank byte on: a hand
// edit may have changed the blanks or added a note at the end.
std::string_view WordsAfterStamp(std::string_view line) {
  std::string_view words = line.substr(StampLength);
  while (!words.empty() && (words.front() == ' ' || words.front() == '\t')) words.remove_prefix(1);
  return words;
}

template <typename Visit>
void ForEachLine(std::string_view text, Visit visit) {
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
    visit(text.substr(start, end - start));
    start = end + 1;
    if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++start;
  }
}

}  // namespace

TOutageTexts TextsOf(const TOutage& outage) {
  return {StampOfMinutes(outage.LostAfter), outage.BackAt ? StampOfMinutes(*outage.BackAt) : "",
          outage.OffFor ? DurationText(*outage.OffFor) : ""};
}

TOutageRecord ReadOutages(std::string_view logText) {
  TOutageRecord record;
  bool awaitingRestart = false;
  ForEachLine(logText, [&](std::string_view line) {
    const std::optional<int64_t> stamp = MinutesOfStamp(line.substr(0, StampLength));
    if (!stamp) return;
    if (!record.Since) record.Since = stamp;
    const std::string_view words = WordsAfterStamp(line);
    if (words.starts_with(AbnormalWords)) {
      record.Outages.push_back({*stamp, std::nullopt, std::nullopt});
      awaitingRestart = true;
    } else if (words.starts_with(RestartWords) && awaitingRestart) {
      TOutage& outage = record.Outages.back();
      outage.BackAt = *stamp;
      // A clock that was not yet set after the outage can read earlier than
      // the abnormal end: no length rather than a negative one.
      if (*stamp >= outage.LostAfter) outage.OffFor = *stamp - outage.LostAfter;
      awaitingRestart = false;
    }
  });
  return record;
}

std::string OutageSummary(const TOutageRecord& record) {
  const std::size_t count = record.Outages.size();
  std::string text = count == 0 ? "No outages" : std::to_string(count) + (count == 1 ? " outage" : " outages");
  if (record.Since) text += " since " + DateOfMinutes(*record.Since);
  const TOutage* longest = nullptr;
  int64_t total = 0;
  for (const TOutage& outage : record.Outages) {
    if (!outage.OffFor) continue;
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
  const int64_t lastMonth = int64_t{now.Date.Year} * 12 + now.Date.Month - 1;
  const int64_t firstMonth = lastMonth - 11;
  std::vector<TMonthCount> months;
  for (int64_t month = firstMonth; month <= lastMonth; ++month) {
    months.push_back({static_cast<uint16_t>(month / 12), static_cast<uint16_t>(month % 12 + 1), 0});
  }
  for (const TOutage& outage : record.Outages) {
    const int64_t month = MonthOfMinutes(outage.LostAfter);
    if (month >= firstMonth && month <= lastMonth) ++months[static_cast<std::size_t>(month - firstMonth)].Outages;
  }
  return months;
}

}  // namespace Monitor
