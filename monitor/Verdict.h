// How the previous run ended, judged from the status it left: the text for
// the main window and the lines the trip log gets at this start.
#pragma once

#include <cstdint>
#include <string>

namespace Monitor {

struct TStartVerdict {
  std::string Label;            // may be empty
  std::string PreviousRunLine;  // empty when there is nothing to say
  std::string StartLine;
};

// diedAsleep: the previous run was running when the computer went to sleep,
// and the computer started afresh after it, so the power went in that sleep.
TStartVerdict JudgePreviousRun(int32_t previousStatus, const std::string& previousStamp, const std::string& startText,
                               bool diedAsleep = false);

}  // namespace Monitor
