#include "monitor/CheckpointFile.h"

#include "calendar/Cdatlib.h"
#include "monitor/MonitorClock.h"
#include "monitor/MonitorErrors.h"
#include "monitor/StampMinutes.h"
#include "platform/FileFailure.h"
#include "platform/IniFile.h"
#include "platform/IniText.h"

namespace Monitor {

std::string CheckpointPath;

namespace {

constexpr std::string_view Section = "main";
constexpr std::string_view StatusKey = "TripStatus";
constexpr std::string_view StampKey = "TripTS";
constexpr std::string_view OffsetKey = "TripOffset";
constexpr std::string_view SleepKey = "TripSleep";

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
  std::optional<std::string> content;
  try {
    content = Platform::ReadIniFile(CheckpointPath);
  } catch (const Platform::EFileFailure&) {
    throw EIniReadError(CheckpointPath);
  }
  if (!content) return {csNeverRun, ""};
  return {TripStatusOfText(Platform::FindIniValue(*content, Section, StatusKey).value_or("")),
          Platform::FindIniValue(*content, Section, StampKey).value_or(""),
          Platform::FindIniValue(*content, Section, SleepKey) == "1",
          Platform::FindIniValue(*content, Section, OffsetKey).value_or("")};
}

void TPreparedCheckpoint::Commit(Platform::TFolderFlush flush) {
  try {
    replacement_.Commit(flush);
  } catch (const Platform::EFileFailure&) {
    throw EIniWriteError(CheckpointPath);
  }
}

TPreparedCheckpoint PrepareCheckpoint(TCheckpointStatus status, bool asleep) {
  const TStampReading now = MonitorClock();
  std::string stamp = Cdatlib::StampText(now.Local);
  try {
    return {stamp,
            Platform::PrepareProfileStrings(CheckpointPath, Section,
                                            {{StatusKey, std::to_string(static_cast<int32_t>(status))},
                                             {StampKey, stamp},
                                             {OffsetKey, OffsetText(now.UtcOffsetSeconds)},
                                             {SleepKey, asleep ? std::optional<std::string>("1") : std::nullopt}})};
  } catch (const Platform::EFileFailure&) {
    throw EIniWriteError(CheckpointPath);
  }
}

std::string WriteCheckpoint(TCheckpointStatus status, bool asleep) {
  TPreparedCheckpoint checkpoint = PrepareCheckpoint(status, asleep);
  checkpoint.Commit();
  return checkpoint.StampText;
}

}  // namespace Monitor
