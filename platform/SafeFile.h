// Replaces a file's whole content so that a power cut at any instant leaves
// either the complete old or the complete new file, never an empty or torn
// one; the new content can be made ready first and put in place later.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/FileWriting.h"

namespace Platform {

// How a file is rewritten where its folder refuses new files (no write
// access, or a sticky folder and another user's file) while the file itself
// may be written. The file is never emptied first.
enum class TInPlaceRewrite {
  // Only bytes added after the old content are written; a new content that
  // does not begin with the old one fails as the folder's refusal.
  AppendOnly,
  // The new content is written over the old in one write, followed by blank
  // lines (CR LF) up to the old length, which line-based readers skip.
  PadWithBlankLines
};

// When a commit flushes the target's folder, which makes the rename last.
enum class TFolderFlush {
  Now,
  // At FlushDueFolder, or at the start of the next replacement, whichever
  // comes first, so replacements still reach the disk in their order. Until
  // then a power cut may undo the rename, leaving the whole old file.
  Later
};

// A new content written to a temporary file beside the target and flushed to
// disk, or, where the folder refuses new files, checked to be writable in
// place. Until Commit it is not in place; destroyed uncommitted, it leaves
// the target as it was and removes its temporary.
class TPreparedReplacement {
 public:
  TPreparedReplacement(TPreparedReplacement&& other) noexcept;
  TPreparedReplacement& operator=(TPreparedReplacement&&) = delete;
  TPreparedReplacement(const TPreparedReplacement&) = delete;
  TPreparedReplacement& operator=(const TPreparedReplacement&) = delete;
  ~TPreparedReplacement();

  // Renames the temporary over the target and flushes the folder (now, or
  // left for FlushDueFolder), or writes in place. Throws EFileFailure
  // (Create, Write); the target then keeps its old content.
  void Commit(TFolderFlush flush = TFolderFlush::Now);

 private:
  friend TPreparedReplacement PrepareReplacement(const std::string& path, std::string content, TInPlaceRewrite inPlace);
  TPreparedReplacement(std::string path, std::string target, std::string content, TInPlaceRewrite inPlace);
  void WriteInPlace(int refusal);

  std::string path_, target_, content_;
  TInPlaceRewrite inPlace_;
  TTargetState state_;
  std::string temp_;  // the temporary holding the new content, if any
  int refusal_ = 0;   // the folder's refusal, when the write goes in place
  bool committed_ = false;
};

// Links are followed (the link stays), the target's permission bits are
// kept, and temporaries of earlier interrupted writes are removed at the
// commit. A target that exists but cannot be written fails here and stays
// as it was. Throws EFileFailure: Create when the file cannot be created,
// opened for writing or replaced; Write when writing or flushing fails.
TPreparedReplacement PrepareReplacement(const std::string& path, std::string content, TInPlaceRewrite inPlace);

// Flushes the folder that a commit left for later, if any.
void FlushDueFolder();

// Prepares and commits at once.
void ReplaceFileContent(const std::string& path, std::string_view content, TInPlaceRewrite inPlace);

// The points of a replacement after which a fault can be injected.
enum class TWriteStep { TempCreated, PartlyWritten, Written, Flushed, Renamed };

// Called after each step of every replacement; a test makes it throw or end
// the process to stop a write part-way. An empty hook injects nothing.
using TWriteStepHook = std::function<void(TWriteStep)>;
void SetWriteStepHook(TWriteStepHook hook);

}  // namespace Platform
