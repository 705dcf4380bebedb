// The one error of the plain file layer: which kind of step failed, on which
// path, and the system's error number. Callers turn it into their own message.
#pragma once

#include <string>
#include <system_error>

namespace Platform {

enum class TFileStep {
  Open,    // the file could not be opened for reading
  Read,    // reading an opened file failed
  Create,  // the file could not be created, replaced or opened for writing
  Write    // writing or flushing the new content failed
};

class EFileFailure : public std::system_error {
 public:
  EFileFailure(TFileStep step, const std::string& path, int code);

  TFileStep Step() const noexcept { return step_; }
  const std::string& Path() const noexcept { return path_; }
  int Code() const noexcept { return code().value(); }

 private:
  TFileStep step_;
  std::string path_;
};

}  // namespace Platform
