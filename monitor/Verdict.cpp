#include "monitor/Verdict.h"

#include "calendar/Cdatlib.h"
#include "monitor/CheckpointFile.h"

namespace Monitor {

namespace {

constexpr const char* NormalVerdict = "When this program last ran, it terminated normally";
constexpr const char* AbnormalVerdict = "When this program last ran, it terminated ABNORMALLY";
constexpr const char* FirstRunVerdict = "This program has not been run before on this PC";
constexpr const char* SoonAfter = " soon after ";
// The sleep's checkpoint is the last: the end came at some time in the sleep.
constexpr const char* WhileAsleep = " while the computer slept, after ";
constexpr const char* NormalEnd = "  Normal program shutdown";
constexpr const char* AbnormalEnd = "  Abnormal program end";
constexpr const char* Restart = "  Program restart";
constexpr const char* FirstStart = "  Program start - first time on this PC";

}  // namespace

TStartVerdict JudgePreviousRun(int32_t previousStatus, const std::string& previousStamp, const std::string& startText,
                               bool diedAsleep) {
  TStartVerdict verdict{"", "", startText + Restart};
  switch (previousStatus) {
    case csNormalShutdown:
      verdict.Label = NormalVerdict;
      verdict.PreviousRunLine = previousStamp + NormalEnd;
      break;
    case csRunning:
      verdict.Label = AbnormalVerdict;
      verdict.PreviousRunLine = previousStamp + AbnormalEnd;
      Cdatlib::UpperCaseInPlace(verdict.PreviousRunLine);
      break;
    case csNeverRun:
      verdict.Label = FirstRunVerdict;
      verdict.StartLine = startText + FirstStart;
      break;
    default:  // a hand-edited status: no verdict of its own
      break;
  }
  // Negative statuses get the time too, although they have no verdict text.
  if (previousStatus < csNeverRun) {
    verdict.Label += (diedAsleep && previousStatus == csRunning ? WhileAsleep : SoonAfter) + previousStamp;
  }
  return verdict;
}

}  // namespace Monitor
