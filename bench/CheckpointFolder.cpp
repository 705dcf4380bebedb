// The checkpoint benchmarks' scratch folder and monitor set-up.
#include "CheckpointFolder.h"

#include <stdexcept>

#include "calendar/Cdatlib.h"
#include "monitor/CheckpointFile.h"

namespace Bench {

std::string PrepareCheckpointFolder() {
  const char* base = std::getenv("TALLYVANE_BENCH_DISK");
  std::string pattern = std::string(base != nullptr && *base != '\0' ? base : "/var/tmp") + "/tallyvane-ckpt.XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a folder like " + pattern);
  Cdatlib::Initialize();
  Cdatlib::StampStyle = 2;  // the monitor's year-month-day hour:minute
  Monitor::CheckpointPath = pattern + "/CHKPT.INI";
  return pattern;
}

void RemoveCheckpointFolder(const std::string& folder) { std::filesystem::remove_all(folder); }

}  // namespace Bench
