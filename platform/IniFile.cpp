#include "platform/IniFile.h"

#include <cerrno>

#include "platform/FileFailure.h"
#include "platform/FileReading.h"
#include "platform/IniText.h"

namespace Platform {

std::optional<std::string> ReadIniFile(const std::string& path) {
  try {
    return ReadWholeFile(path, IniFileLimit);
  } catch (const EFileFailure& failure) {
    if (failure.Step() == TFileStep::Open && failure.Code() == ENOENT) return std::nullopt;
    throw;
  }
}

TPreparedReplacement PrepareProfileStrings(const std::string& path, std::string_view section,
                                           const TIniKeyValues& values) {
  std::string content = ReadIniFile(path).value_or("");
  for (const auto& [key, value] : values) {
    content = value ? WithIniValue(content, section, key, *value) : WithoutIniKey(content, section, key);
  }
  // Trailing blank lines are harmless to a reader, and let a file that
  // cannot be replaced be overwritten in one write without emptying it.
  return PrepareReplacement(path, std::move(content), TInPlaceRewrite::PadWithBlankLines);
}

}  // namespace Platform
