#include "monitor/CheckpointFile.h"

#include "calendar/Cdatlib.h"
#include "monitor/MonitorClock.h"
#include "monitor/MonitorErrors.h"
#include "platform/FileFailure.h"
#include "platform/IniFile.h"

namespace Monitor {

std::string CheckpointPath;

namespace {

constexpr std::string_view Section = "main";
constexpr std::string_view StatusKey = "TripStatus";
constexpr std::string_view StampKey = "TripTS";

void WriteKey(std::string_view key, const std::string& value) {
  try {
    Platform::WriteProfileString(CheckpointPath, Section, key, value);
  } catch (const Platform::EFileFailure&) {
    throw EIniWriteError(CheckpointPath);
  }
}

}  // namespace

int32_t TripStatusOfText(std::string_view text) {
  std::string number(text);
  // "0x" alone stays as it is, and so fails to convert.
  if (number.size() > 2 && number[0] == '0' && (number[1] == 'x' || number[1] == 'X')) {
    number.replace(0, 2, "$");
  }
  int32_t status = csNeverRun;
  if (number.empty() || !Cdatlib::ConvertInteger(number, status)) return csNeverRun;
  return status;
}

TCheckpoint ReadCheckpoint() {
  const std::string status = Platform::ReadProfileString(CheckpointPath, Section, StatusKey, "");
  return {TripStatusOfText(status),
          Platform::ReadProfileString(CheckpointPath, Section, StampKey, "")};
}

std::string WriteCheckpoint(TCheckpointStatus status) {
  const Cdatlib::TCalDateTime now = MonitorClock();
  WriteKey(StatusKey, std::to_string(static_cast<int32_t>(status)));
  std::string stamp = Cdatlib::StampText(now);
  WriteKey(StampKey, stamp);
  // Each key is on disk once its write returns; no cached copy is left to flush.
  return stamp;
}

}  // namespace Monitor
