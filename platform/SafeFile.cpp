#include "platform/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/FileFailure.h"
#include "platform/FilePaths.h"
#include "platform/FileWriting.h"
#include "platform/TempFiles.h"
#include "platform/UniqueFd.h"

namespace Platform {

namespace {

TWriteStepHook& StepHook() {
  static TWriteStepHook hook;
  return hook;
}

void Reached(TWriteStep step) {
  if (StepHook()) StepHook()(step);
}

// Removes the temporary unless the rename consumed it.
class TTempGuard {
 public:
  explicit TTempGuard(std::string path) : path_(std::move(path)) {}
  TTempGuard(const TTempGuard&) = delete;
  TTempGuard& operator=(const TTempGuard&) = delete;
  ~TTempGuard() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  const std::string& Path() const { return path_; }
  void Consumed() { path_.clear(); }

 private:
  std::string path_;
};

// A folder may refuse new entries (no write access, or a sticky folder and
// another user's file) while the file itself stays writable; such a file was
// writable in place before and must stay so.
bool FolderRefusesChange(int error) {
  return error == EACCES || error == EPERM || error == EROFS;
}

// Halves, so that a fault can be injected with part of the content on disk.
void WriteInHalves(int fd, const std::string& path, std::string_view content) {
  const std::size_t half = content.size() / 2;
  WriteAll(fd, path, content.substr(0, half));
  Reached(TWriteStep::PartlyWritten);
  WriteAll(fd, path, content.substr(half));
  Reached(TWriteStep::Written);
}

void RenameIntoPlace(const std::string& path, const std::string& target,
                     const TTargetState& state, TTempGuard& temp,
                     std::string_view content) {
  if (::rename(temp.Path().c_str(), target.c_str()) != 0) {
    const int error = errno;
    if (!state.Exists || !FolderRefusesChange(error)) {
      throw EFileFailure(TFileStep::Create, path, error);
    }
    RewriteInPlace(state, path, content);
    return;
  }
  temp.Consumed();
  Reached(TWriteStep::Renamed);
  FlushFolder(target);
  RemoveLeftoverTemps(target);
}

void ReplaceThroughTemp(const std::string& path, const std::string& target,
                        const TTargetState& state, TUniqueFd fd,
                        const std::string& tempPath, std::string_view content) {
  TTempGuard temp(tempPath);
  Reached(TWriteStep::TempCreated);
  WriteInHalves(fd.Get(), path, content);
  GiveTargetAttributes(fd.Get(), path, state);
  FlushFile(fd.Get(), path);
  if (fd.Close() != 0) throw EFileFailure(TFileStep::Write, path, errno);
  Reached(TWriteStep::Flushed);
  RenameIntoPlace(path, target, state, temp, content);
}

}  // namespace

void SetWriteStepHook(TWriteStepHook hook) { StepHook() = std::move(hook); }

void ReplaceFileContent(const std::string& path, std::string_view content) {
  const std::string target = FinalLinkTarget(path);
  const TTargetState state = ExamineTarget(path, target);
  // A device or pipe is written, never replaced by a regular file.
  if (state.Exists && !state.Regular) {
    RewriteInPlace(state, path, content);
    return;
  }
  std::string tempPath;
  TUniqueFd temp = CreateTempBeside(target, tempPath);
  if (temp.Valid()) {
    ReplaceThroughTemp(path, target, state, std::move(temp), tempPath, content);
    return;
  }
  const int error = errno;
  if (!state.Exists || !FolderRefusesChange(error)) {
    throw EFileFailure(TFileStep::Create, path, error);
  }
  RewriteInPlace(state, path, content);
}

}  // namespace Platform
