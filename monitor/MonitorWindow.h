// What the monitor needs of the main window: its three labels and its
// checkpoint timer. The main window implements it; tests fake it.
#pragma once

#include <string>

namespace Monitor {

class TMonitorWindow {
 public:
  virtual ~TMonitorWindow() = default;

  virtual void SetVerdictText(const std::string& text) = 0;     // Label1
  virtual void SetCheckpointText(const std::string& text) = 0;  // Label2
  virtual void SetBootText(const std::string& text) = 0;        // Label4, may be empty

  // Sets the timer's interval, then enables it; its ticks must reach
  // CheckpointTimerTick. Throws when the platform has no timer left.
  virtual void StartCheckpointTimer(int intervalMs) = 0;
};

}  // namespace Monitor
