#include "monitor/CutStart.h"

#include <optional>
#include <string>

#include "monitor/BootLine.h"
#include "monitor/StampMinutes.h"
#include "monitor/Verdict.h"
#include "monitor/ZoneTime.h"
#include "platform/TextLines.h"

namespace Monitor {

namespace {

using Platform::CrLf;

// The lines of a text with CR LF breaks, last first; a final break ends the
// last line rather than starting an empty one.
class TLinesFromEnd {
 public:
  explicit TLinesFromEnd(std::string_view text)
      : text_(text), end_(text.size() - (text.ends_with(CrLf) ? CrLf.size() : 0)), done_(text.empty()) {}

  std::optional<std::string_view> Next() {
    if (done_) return std::nullopt;
    const std::size_t found = end_ >= CrLf.size() ? text_.rfind(CrLf, end_ - CrLf.size()) : std::string_view::npos;
    const std::size_t begin = found == std::string_view::npos ? 0 : found + CrLf.size();
    const std::string_view line = text_.substr(begin, end_ - begin);
    done_ = found == std::string_view::npos;
    end_ = done_ ? 0 : found;
    return line;
  }

 private:
  std::string_view text_;
  std::size_t end_;
  bool done_;
};

std::string VerdictLine(int32_t status, std::string_view stamp) {
  return JudgePreviousRun(status, std::string(stamp), "").PreviousRunLine;
}

bool IsRestartLine(std::string_view line) {
  const std::string_view stamp = line.substr(0, StampLength);
  return MinutesOfStamp(stamp) && line == JudgePreviousRun(csRunning, "", std::string(stamp)).StartLine;
}

bool IsFirstStartLine(std::string_view line) {
  const std::string_view stamp = line.substr(0, StampLength);
  return MinutesOfStamp(stamp) && line == JudgePreviousRun(csNeverRun, "", std::string(stamp)).StartLine;
}

bool IsBootLine(std::string_view line, std::string_view start) {
  if (!line.starts_with(start) || !line.substr(start.size()).starts_with("  ")) return false;
  const std::string_view words = line.substr(start.size() + 2);
  return words.starts_with(ComputerStartedWords) || words.starts_with(KeptRunningWords) ||
         words.starts_with(ClockSetBackWords);
}

// A start line's stamp has no offset: in an hour that came twice it may
// mean either pass. Whether a start came after a checkpoint is asked of
// its later meaning, so that a start in the second pass is seen as after a
// checkpoint of the first; whether an earlier line came before it, of the
// earlier meaning of that line.
int64_t LatestMoment(std::string_view stamp) { return LatestRealSecondsOfWallMinute(*MinutesOfStamp(stamp)); }
int64_t EarliestMoment(std::string_view stamp) { return RealSecondsOfWallMinute(*MinutesOfStamp(stamp)); }

// The run a cut start began, judged as running since its start's minute.
TCheckpoint CutStartRun(std::string_view start) {
  return {csRunning, std::string(start), false, OffsetText(UtcOffsetAt(LatestMoment(start)))};
}

struct TStartBlock {
  std::string_view Start;   // the start's stamp
  std::string_view Judged;  // its line about the run before it
  bool WithBootLine;
};

// The lines one start added, read from the end: its line about the run
// before it, its start line and, after an abnormal end, maybe the boot
// time's line with the start's stamp.
std::optional<TStartBlock> PreviousBlock(TLinesFromEnd& lines) {
  const std::optional<std::string_view> last = lines.Next();
  if (!last) return std::nullopt;
  const bool withBootLine = !IsRestartLine(*last);
  const std::optional<std::string_view> restart = withBootLine ? lines.Next() : last;
  if (!restart || !IsRestartLine(*restart)) return std::nullopt;
  const std::string_view start = restart->substr(0, StampLength);
  if (withBootLine && !IsBootLine(*last, start)) return std::nullopt;
  const std::optional<std::string_view> judged = lines.Next();
  if (!judged) return std::nullopt;
  return TStartBlock{start, *judged, withBootLine};
}

}  // namespace

TCheckpoint CheckpointToJudge(const TCheckpoint& onDisk, std::string_view logText) {
  // No checkpoint at all: a first start cut before its checkpoint was in
  // place left its line, and the run it began ended abnormally.
  const bool neverRun = onDisk.Status == csNeverRun && onDisk.StampText.empty();
  const std::optional<int64_t> judgedMoment = MomentOfStamp(onDisk.StampText, onDisk.OffsetText);
  if (!neverRun && ((onDisk.Status != csNormalShutdown && onDisk.Status != csRunning) || !judgedMoment)) return onDisk;
  const std::string onDiskLine = VerdictLine(onDisk.Status, onDisk.StampText);
  TLinesFromEnd lines(logText);
  // Starts cut one after the other each judged the one before abnormal: the
  // blocks are followed back to the one that judged the pair on disk, or to
  // the first start.
  std::optional<std::string_view> newestStart, judgedByNewer;
  for (;;) {
    if (neverRun) {
      TLinesFromEnd ahead = lines;
      const std::optional<std::string_view> line = ahead.Next();
      if (line && IsFirstStartLine(*line)) {
        const std::string_view start = line->substr(0, StampLength);
        if (judgedByNewer && start != *judgedByNewer) return onDisk;
        return CutStartRun(newestStart.value_or(start));
      }
    }
    const std::optional<TStartBlock> block = PreviousBlock(lines);
    if (!block) return onDisk;
    if (judgedByNewer && block->Start != *judgedByNewer) return onDisk;
    if (!newestStart) newestStart = block->Start;
    const int64_t start = LatestMoment(block->Start);
    if (!neverRun && block->Judged == onDiskLine) {
      // Every checkpoint a start puts in place bears its own minute or a
      // later one, so the pair on disk outlived the start only if that start
      // never put one in place, unless the clock was set back (start before
      // the pair). Within the pair's minute the two readings are one for a
      // running pair: abnormal soon after the same minute. For a normal end
      // they are not: a start cut before its checkpoint and a start that ran
      // and was closed within that minute leave the same files; the true
      // normal end is kept, so a normal pair needs a later start.
      const bool outlived = onDisk.Status == csRunning ? start >= *judgedMoment : start > *judgedMoment;
      const bool fits = onDisk.Status == csRunning || !block->WithBootLine;
      return outlived && fits ? CutStartRun(*newestStart) : onDisk;
    }
    const std::string_view earlier = block->Judged.substr(0, StampLength);
    if (!MinutesOfStamp(earlier) || EarliestMoment(earlier) > start ||
        block->Judged != VerdictLine(csRunning, earlier)) {
      return onDisk;
    }
    judgedByNewer = earlier;
  }
}

}  // namespace Monitor
