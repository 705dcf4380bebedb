#include "platform/SafeFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/FileFailure.h"
#include "platform/FilePaths.h"
#include "platform/FileReading.h"
#include "platform/TempFiles.h"

namespace Platform {

namespace {

// The target whose folder a commit left to flush later; empty when none is.
std::string& DueFolderFlush() {
  static std::string target;
  return target;
}

TWriteStepHook& StepHook() {
  static TWriteStepHook hook;
  return hook;
}

void Reached(TWriteStep step) {
  if (StepHook()) StepHook()(step);
}

// A folder may refuse new entries (no write access, or a sticky folder and
// another user's file) while the file itself stays writable; such a file was
// writable in place before and must stay so.
bool FolderRefusesChange(int error) { return error == EACCES || error == EPERM || error == EROFS; }

// Halves, so that a fault can be injected with part of the content on disk.
void WriteInHalves(int fd, const std::string& path, std::string_view content) {
  const std::size_t half = content.size() / 2;
  WriteAllAt(fd, path, content.substr(0, half), 0);
  Reached(TWriteStep::PartlyWritten);
  WriteAllAt(fd, path, content.substr(half), static_cast<off_t>(half));
  Reached(TWriteStep::Written);
}

struct TInPlaceWrite {
  off_t Offset = 0;
  std::string Bytes;
};

// What one write must put where, so that a cut before it leaves the old
// content and a cut after it the new one, and nothing is ever emptied.
TInPlaceWrite InPlaceWrite(const std::string& path, const std::string& target, int fd, const std::string& content,
                           TInPlaceRewrite inPlace, int refusal) {
  if (inPlace == TInPlaceRewrite::AppendOnly) {
    std::string old;
    try {
      old = ReadWholeFile(target, content.size());
    } catch (const EFileFailure&) {
      throw EFileFailure(TFileStep::Create, path, refusal);
    }
    if (!content.starts_with(old)) throw EFileFailure(TFileStep::Create, path, refusal);
    return {static_cast<off_t>(old.size()), content.substr(old.size())};
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0) throw EFileFailure(TFileStep::Create, path, errno);
  const auto oldSize = static_cast<std::size_t>(info.st_size);
  TInPlaceWrite write{0, content};
  while (write.Bytes.size() + 2 <= oldSize) write.Bytes.append("\r\n");
  if (write.Bytes.size() < oldSize) write.Bytes.append("\n");
  return write;
}

}  // namespace

TPreparedReplacement::TPreparedReplacement(std::string path, std::string target, std::string content,
                                           TInPlaceRewrite inPlace)
    : path_(std::move(path)), target_(std::move(target)), content_(std::move(content)), inPlace_(inPlace) {}

TPreparedReplacement::TPreparedReplacement(TPreparedReplacement&& other) noexcept
    : path_(std::move(other.path_)),
      target_(std::move(other.target_)),
      content_(std::move(other.content_)),
      inPlace_(other.inPlace_),
      state_(std::move(other.state_)),
      temp_(std::exchange(other.temp_, {})),
      refusal_(other.refusal_),
      committed_(std::exchange(other.committed_, true)) {}

TPreparedReplacement::~TPreparedReplacement() {
  if (!temp_.empty()) ::unlink(temp_.c_str());
}

void TPreparedReplacement::WriteInPlace(int refusal) {
  const int fd = state_.Writable.Get();
  const TInPlaceWrite write = InPlaceWrite(path_, target_, fd, content_, inPlace_, refusal);
  WriteAllAt(fd, path_, write.Bytes, write.Offset);
  FlushFile(fd, path_);
}

void TPreparedReplacement::Commit(TFolderFlush flush) {
  if (committed_) return;
  if (temp_.empty()) {
    WriteInPlace(refusal_);
  } else if (::rename(temp_.c_str(), target_.c_str()) != 0) {
    const int error = errno;
    if (!state_.Exists || !FolderRefusesChange(error)) throw EFileFailure(TFileStep::Create, path_, error);
    ::unlink(temp_.c_str());
    temp_.clear();
    WriteInPlace(error);
  } else {
    temp_.clear();
    Reached(TWriteStep::Renamed);
    if (flush == TFolderFlush::Now) {
      FlushFolder(target_);
    } else {
      DueFolderFlush() = target_;
    }
    RemoveLeftoverTemps(target_);
  }
  committed_ = true;
}

void SetWriteStepHook(TWriteStepHook hook) { StepHook() = std::move(hook); }

void FlushDueFolder() {
  if (DueFolderFlush().empty()) return;
  FlushFolder(std::exchange(DueFolderFlush(), {}));
}

TPreparedReplacement PrepareReplacement(const std::string& path, std::string content, TInPlaceRewrite inPlace) {
  FlushDueFolder();
  TPreparedReplacement prepared(path, FinalLinkTarget(path), std::move(content), inPlace);
  prepared.state_ = ExamineTarget(path, prepared.target_);
  std::string tempPath;
  TUniqueFd fd = CreateTempBeside(prepared.target_, tempPath);
  if (!fd.Valid()) {
    const int error = errno;
    if (!prepared.state_.Exists || !FolderRefusesChange(error)) throw EFileFailure(TFileStep::Create, path, error);
    // Checked now, so that a content the file cannot take fails before the
    // caller writes anything else.
    InPlaceWrite(path, prepared.target_, prepared.state_.Writable.Get(), prepared.content_, inPlace, error);
    prepared.refusal_ = error;
    return prepared;
  }
  prepared.temp_ = tempPath;
  Reached(TWriteStep::TempCreated);
  WriteInHalves(fd.Get(), path, prepared.content_);
  GiveTargetAttributes(fd.Get(), path, prepared.state_);
  FlushFile(fd.Get(), path);
  if (fd.Close() != 0) throw EFileFailure(TFileStep::Write, path, errno);
  Reached(TWriteStep::Flushed);
  return prepared;
}

void ReplaceFileContent(const std::string& path, std::string_view content, TInPlaceRewrite inPlace) {
  PrepareReplacement(path, std::string(content), inPlace).Commit();
}

}  // namespace Platform
