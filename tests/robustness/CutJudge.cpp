#include "CutJudge.h"

#include <regex>

namespace PowerCut {

namespace {

const std::regex StampForm("[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}");
const std::regex TempName("\\.(CHKPT\\.INI|triplog\\.txt)\\.tmp-[A-Za-z0-9]{6}");

std::string Upper(std::string text) {
  for (char& c : text) c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
  return text;
}

// The line the start adds about the run before it.
std::string PreviousRunLine(const TCheckpointKeys& keys) {
  const std::string stamp = keys.Stamp.value_or("");
  return keys.Status == "0" ? stamp + "  Normal program shutdown" : Upper(stamp + "  Abnormal program end");
}

// The pair a sound start judges. Every checkpoint a start puts in place bears
// its minute or a later one, so a log whose last start is later than the
// checkpoint holds a start cut before its checkpoint was in place: the run
// that ended abnormally. Within the checkpoint's minute a normal end stands.
TCheckpointKeys PairToJudge(const TCheckpointKeys& keys, const std::string& log) {
  constexpr std::string_view Restart = "  Program restart\r\n";
  const auto at = log.rfind(Restart);
  if (!keys.Stamp || at == std::string::npos || at < 16) return keys;
  const std::string start = log.substr(at - 16, 16);
  const std::string after = log.substr(at + Restart.size());
  const bool last = after.empty() || (after.starts_with(start + "  The c") && after.find("\r\n") == after.size() - 2);
  const bool cut = start > *keys.Stamp || (start == *keys.Stamp && keys.Status == "1");
  return last && cut && std::regex_match(start, StampForm) ? TCheckpointKeys{"1", start} : keys;
}

// The start adds the line about the previous run, its own start line and maybe
// the boot time's line with the same stamp, each ended by CR LF, in one save;
// a first start only its start line.
bool IsWholeStartEntry(const std::string& added, const TCheckpointKeys& previous) {
  static const std::regex FirstStart(
      "[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}  Program start - first time on this PC\r\n");
  if (!previous.Status) return std::regex_match(added, FirstStart);
  const std::string first = PreviousRunLine(previous) + "\r\n";
  if (!added.starts_with(first)) return false;
  const std::string second = added.substr(first.size());
  static const std::regex StartLine(
      "([0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2})  Program restart\r\n(\\1  The c[^\r\n]+\r\n)?");
  return std::regex_match(second, StartLine);
}

// The stamp of the start line, the last of a whole entry.
std::string StartStamp(const std::string& added) {
  const auto lastLine = added.rfind("\r\n", added.size() - 3);
  return added.substr(lastLine == std::string::npos ? 0 : lastLine + 2, 16);
}

void JudgeLog(const TFolderState& before, const TFolderState& after, TCutJudgement& judgement) {
  if (!after.Log.Present) {
    if (before.Log.Present) judgement.Damage.emplace_back("the trip log is gone");
    return;
  }
  if (!after.Log.Bytes.starts_with(before.Log.Bytes)) {
    judgement.Damage.emplace_back("the trip log lost what it held before the start");
    return;
  }
  const std::string added = after.Log.Bytes.substr(before.Log.Bytes.size());
  judgement.LogSaved = !added.empty();
  const TCheckpointKeys onDisk = CheckpointKeysOf(before.Checkpoint.Bytes);
  const TCheckpointKeys judged = PairToJudge(onDisk, before.Log.Bytes);
  if (judgement.LogSaved && judged.Stamp != onDisk.Stamp && added.starts_with(PreviousRunLine(onDisk) + "\r\n")) {
    judgement.Damage.emplace_back("the trip log repeats the verdict that a start cut before its checkpoint gave: [" +
                                  added + "]");
  } else if (judgement.LogSaved && !IsWholeStartEntry(added, judged)) {
    judgement.Damage.emplace_back("the trip log got a torn or wrong entry: [" + added + "]");
  } else if (judgement.LogSaved) {
    judgement.StartStamp = StartStamp(added);
  }
}

void JudgeCheckpoint(const TFolderState& before, const TFolderState& after, TCutJudgement& judgement) {
  // A first start may leave no checkpoint, never a torn one.
  if (after.Checkpoint.Present || before.Checkpoint.Present) {
    for (const std::string& problem : CheckpointProblems(after.Checkpoint)) judgement.Damage.emplace_back(problem);
  }
  judgement.CheckpointReplaced = after.Checkpoint.Present && !(after.Checkpoint.Identity == before.Checkpoint.Identity);
  // Before the log is saved no new pair may be there; after, only the running
  // status with a stamp no earlier than the start line's.
  const std::string earliest = judgement.LogSaved ? judgement.StartStamp : "~";
  if (auto torn = TornPair(CheckpointKeysOf(before.Checkpoint.Bytes), CheckpointKeysOf(after.Checkpoint.Bytes), "1",
                           earliest)) {
    judgement.Damage.push_back(*torn);
  }
  if (judgement.CheckpointReplaced && !judgement.LogSaved) {
    judgement.Damage.emplace_back("the checkpoint was written before the trip log was saved");
  }
  if (after.Checkpoint.Bytes != before.Checkpoint.Bytes && CheckpointKeysOf(after.Checkpoint.Bytes).Status == "0") {
    judgement.Damage.emplace_back("a start wrote the normal-shutdown status");
  }
}

void JudgeOtherEntries(const TFolderState& after, const TCutJudgement& judgement, TTempAges& temps,
                       std::vector<std::string>& damage) {
  TTempAges seen;
  for (const std::string& name : after.OtherNames) {
    std::smatch match;
    if (!std::regex_match(name, match, TempName)) {
      damage.emplace_back("a stray entry: " + name);
      continue;
    }
    const bool replaced = match[1] == "CHKPT.INI" ? judgement.CheckpointReplaced : judgement.LogSaved;
    const auto earlier = temps.find(name);
    const int age = earlier == temps.end() ? 0 : earlier->second + (replaced ? 1 : 0);
    if (age >= 2) damage.emplace_back("a temporary file outlived two replacements of its file: " + name);
    seen[name] = age;
  }
  temps = seen;
}

}  // namespace

std::optional<std::string> TornPair(const TCheckpointKeys& before, const TCheckpointKeys& after,
                                    const std::string& newStatus, const std::string& earliestNewStamp) {
  if (after.Status == before.Status && after.Stamp == before.Stamp) return std::nullopt;
  if (after.Status == newStatus && after.Stamp.value_or("") >= earliestNewStamp) return std::nullopt;
  return "the checkpoint holds TripStatus=" + after.Status.value_or("(none)") +
         " with TripTS=" + after.Stamp.value_or("(none)") + ": neither the old pair nor a new one";
}

std::vector<std::string> CheckpointProblems(const TFileState& checkpoint) {
  if (!checkpoint.Present) return {"the checkpoint file is gone: the next start would say never run"};
  const TCheckpointKeys keys = CheckpointKeysOf(checkpoint.Bytes);
  std::vector<std::string> problems;
  if (!keys.Status) {
    problems.emplace_back("the checkpoint has no status: the next start would say never run");
  } else if (*keys.Status != "0" && *keys.Status != "1") {
    problems.emplace_back("the checkpoint status is " + *keys.Status);
  }
  if (!keys.Stamp || !std::regex_match(*keys.Stamp, StampForm)) {
    problems.emplace_back("the checkpoint stamp is [" + keys.Stamp.value_or("missing") + "]");
  }
  return problems;
}

TCutJudgement JudgeCut(const TFolderState& before, const TFolderState& after, TTempAges& temps) {
  TCutJudgement judgement;
  JudgeLog(before, after, judgement);
  JudgeCheckpoint(before, after, judgement);
  JudgeOtherEntries(after, judgement, temps, judgement.Damage);
  return judgement;
}

TCutJudgement JudgeEndCut(const TFolderState& before, const TFolderState& after) {
  TCutJudgement judgement;
  JudgeLog(before, after, judgement);
  if (!judgement.LogSaved) judgement.Damage.emplace_back("the start's lines are not in the trip log");
  for (const std::string& problem : CheckpointProblems(after.Checkpoint)) judgement.Damage.emplace_back(problem);
  const TCheckpointKeys keys = CheckpointKeysOf(after.Checkpoint.Bytes);
  if (keys.Stamp.value_or("") < judgement.StartStamp) {
    judgement.Damage.emplace_back("the checkpoint's stamp " + keys.Stamp.value_or("(none)") +
                                  " is older than the start: a pair torn apart");
  }
  return judgement;
}

}  // namespace PowerCut
