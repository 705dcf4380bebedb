#include "platform/FileFailure.h"

#include <sys/stat.h>

#include <cerrno>

namespace Platform {

namespace {

class TFileProblemCategory final : public std::error_category {
 public:
  const char* name() const noexcept override { return "file layer"; }
  std::string message(int value) const override {
    switch (static_cast<TFileProblem>(value)) {
      case TFileProblem::NotRegularFile: return "Not a regular file";
      case TFileProblem::TooLarge: return "File too large";
    }
    return "Unknown problem";
  }
};

const std::error_category& FileProblemCategory() {
  static const TFileProblemCategory category;
  return category;
}

}  // namespace

EFileFailure::EFileFailure(TFileStep step, const std::string& path, int code)
    : std::system_error(code, std::generic_category(), path), step_(step) {}

EFileFailure::EFileFailure(TFileStep step, const std::string& path, TFileProblem problem)
    : std::system_error(static_cast<int>(problem), FileProblemCategory(), path), step_(step) {}

int EFileFailure::Code() const noexcept { return code().category() == std::generic_category() ? code().value() : 0; }

bool EFileFailure::Is(TFileProblem problem) const noexcept {
  return code().category() == FileProblemCategory() && code().value() == static_cast<int>(problem);
}

void RequireRegularFile(mode_t mode, TFileStep step, const std::string& path) {
  if (S_ISDIR(mode)) throw EFileFailure(step, path, EISDIR);
  if (!S_ISREG(mode)) throw EFileFailure(step, path, TFileProblem::NotRegularFile);
}

}  // namespace Platform
