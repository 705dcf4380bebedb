// The errors the monitor raises. Each carries the message the user sees and
// a kind name, which the start-up error box shows before the message.
#pragma once

#include <stdexcept>
#include <string>

namespace Monitor {

class EMonitorError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
  virtual const char* KindName() const noexcept = 0;
};

// A checkpoint key could not be written: "Unable to write to PATH".
class EIniWriteError final : public EMonitorError {
 public:
  explicit EIniWriteError(const std::string& path);
  const char* KindName() const noexcept override { return "EIniWriteError"; }
};

// The checkpoint file is there but cannot be read: "Unable to read PATH".
class EIniReadError final : public EMonitorError {
 public:
  explicit EIniReadError(const std::string& path);
  const char* KindName() const noexcept override { return "EIniReadError"; }
};

// The log file exists but cannot be opened: "Cannot open file "PATH". REASON".
class EFileOpenError final : public EMonitorError {
 public:
  EFileOpenError(const std::string& path, const std::string& reason);
  const char* KindName() const noexcept override { return "EFileOpenError"; }
};

// The log file cannot be created or replaced: "Cannot create file "PATH". REASON".
class EFileCreateError final : public EMonitorError {
 public:
  EFileCreateError(const std::string& path, const std::string& reason);
  const char* KindName() const noexcept override { return "EFileCreateError"; }
};

// Not all of the log could be written (a full disk): "Stream write error".
class EStreamWriteError final : public EMonitorError {
 public:
  EStreamWriteError();
  const char* KindName() const noexcept override { return "EStreamWriteError"; }
};

// The opened log file could not be read to its end: "Stream read error".
class EStreamReadError final : public EMonitorError {
 public:
  EStreamReadError();
  const char* KindName() const noexcept override { return "EStreamReadError"; }
};

}  // namespace Monitor
