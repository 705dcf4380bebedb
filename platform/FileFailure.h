// The one error of the plain file layer: which kind of step failed, on which
// path, and why: a system error number or one of the layer's own problems.
// Callers turn it into their own message.
#pragma once

#include <sys/types.h>

#include <string>
#include <system_error>

namespace Platform {

enum class TFileStep {
  Open,    // the file could not be opened for reading
  Read,    // reading an opened file failed
  Create,  // the file could not be created, replaced or opened for writing
  Write    // writing or flushing the new content failed
};

// What the layer itself refuses, where the system would have gone on.
enum class TFileProblem {
  NotRegularFile = 1,  // a pipe, a device or a socket: it could block or never end
  TooLarge             // more bytes than the caller reads
};

class EFileFailure : public std::system_error {
 public:
  EFileFailure(TFileStep step, const std::string& path, int code);
  EFileFailure(TFileStep step, const std::string& path, TFileProblem problem);

  TFileStep Step() const noexcept { return step_; }
  // The system error number; 0 for the layer's own problems.
  int Code() const noexcept;
  bool Is(TFileProblem problem) const noexcept;
  // The words for the cause: the system's description or the layer's own.
  std::string Reason() const { return code().message(); }

 private:
  TFileStep step_;
};

// Only a regular file is read or written: a directory fails as the system
// would, anything else (a pipe, a device) as the layer's own refusal.
void RequireRegularFile(mode_t mode, TFileStep step, const std::string& path);

}  // namespace Platform
