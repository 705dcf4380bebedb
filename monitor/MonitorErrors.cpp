#include "monitor/MonitorErrors.h"

namespace Monitor {

namespace {

std::string FileMessage(const char* what, const std::string& path, const std::string& reason) {
  return std::string(what) + " \"" + path + "\". " + reason;
}

}  // namespace

EIniWriteError::EIniWriteError(const std::string& path) : EMonitorError("Unable to write to " + path) {}

EIniReadError::EIniReadError(const std::string& path) : EMonitorError("Unable to read " + path) {}

EFileOpenError::EFileOpenError(const std::string& path, const std::string& reason)
    : EMonitorError(FileMessage("Cannot open file", path, reason)) {}

EFileCreateError::EFileCreateError(const std::string& path, const std::string& reason)
    : EMonitorError(FileMessage("Cannot create file", path, reason)) {}

EStreamWriteError::EStreamWriteError() : EMonitorError("Stream write error") {}

EStreamReadError::EStreamReadError() : EMonitorError("Stream read error") {}

}  // namespace Monitor
