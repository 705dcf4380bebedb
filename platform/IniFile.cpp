#include "platform/IniFile.h"

#include <cerrno>

#include "platform/FileFailure.h"
#include "platform/FileReading.h"
#include "platform/IniText.h"
#include "platform/SafeFile.h"

namespace Platform {

namespace {

std::string ContentBeforeUpdate(const std::string& path) {
  try {
    return ReadWholeFile(path);
  } catch (const EFileFailure& failure) {
    if (failure.Step() == TFileStep::Open && failure.Code() == ENOENT) return {};
    throw;
  }
}

}  // namespace

std::string ReadProfileString(const std::string& path, std::string_view section,
                              std::string_view key, std::string_view fallback) {
  std::string content;
  try {
    content = ReadWholeFile(path);
  } catch (const EFileFailure&) {
    return std::string(fallback);
  }
  return FindIniValue(content, section, key).value_or(std::string(fallback));
}

void WriteProfileString(const std::string& path, std::string_view section,
                        std::string_view key, std::string_view value) {
  const std::string updated = WithIniValue(ContentBeforeUpdate(path), section, key, value);
  ReplaceFileContent(path, updated);
}

}  // namespace Platform
