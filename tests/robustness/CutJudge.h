// Judges what one power cut during a start left behind, against what the
// start found: a checkpoint that holds the old pair or the new one, never
// one of each (after a first start, none or the new one), a trip log that
// kept every byte and got whole lines only, with a verdict about a start
// that was cut before its checkpoint rather than a repeated one, the log
// saved before the checkpoint, and no temporary files piling up.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "FolderState.h"

namespace PowerCut {

struct TCutJudgement {
  std::vector<std::string> Damage;  // empty when the folder is sound
  bool LogSaved = false;            // the start's lines reached the log
  bool CheckpointReplaced = false;  // at least one checkpoint write finished
  std::string StartStamp;           // of the start line, when the log was saved
};

// Each temporary file seen so far, with the number of finished replacements
// of its own target that it has outlived. The first finished replacement
// after a cut removes it, unless that start is cut as well right between its
// rename and its clean-up; outliving two means temporaries pile up.
using TTempAges = std::map<std::string, int>;

// The checkpoint must hold the pair it held before or a pair that the write
// under way was making: its status with a stamp no earlier than the earliest
// it could take. A description of the torn pair otherwise.
std::optional<std::string> TornPair(const TCheckpointKeys& before, const TCheckpointKeys& after,
                                    const std::string& newStatus, const std::string& earliestNewStamp);

// A sound checkpoint: status 0 or 1 and a stamp of the form 2026-12-07 08:02.
std::vector<std::string> CheckpointProblems(const TFileState& checkpoint);

TCutJudgement JudgeCut(const TFolderState& before, const TFolderState& after, TTempAges& temps);

// A cut while a run that started from `before` writes its final checkpoint:
// the log holds the start's lines, and the checkpoint the running pair of
// the start or the final one, both with stamps no older than the start.
TCutJudgement JudgeEndCut(const TFolderState& before, const TFolderState& after);

}  // namespace PowerCut
