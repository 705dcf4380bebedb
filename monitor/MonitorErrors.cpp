#include "monitor/MonitorErrors.h"

#include <cstring>

namespace Monitor {

namespace {

std::string FileMessage(const char* what, const std::string& path, int systemError) {
  return std::string(what) + " \"" + path + "\". " + std::strerror(systemError);
}

}  // namespace

EIniWriteError::EIniWriteError(const std::string& path)
    : EMonitorError("Unable to write to " + path) {}

EFileOpenError::EFileOpenError(const std::string& path, int systemError)
    : EMonitorError(FileMessage("Cannot open file", path, systemError)) {}

EFileCreateError::EFileCreateError(const std::string& path, int systemError)
    : EMonitorError(FileMessage("Cannot create file", path, systemError)) {}

EStreamWriteError::EStreamWriteError() : EMonitorError("Stream write error") {}

EStreamReadError::EStreamReadError() : EMonitorError("Stream read error") {}

}  // namespace Monitor
