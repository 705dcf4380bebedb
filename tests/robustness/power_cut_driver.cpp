// Power cuts during start-up: starts the real program again and again in one
// folder and kills it with SIGKILL at a random moment of its start-up, then
// judges what the folder holds. The moments are drawn from three spans in
// turn: the first 200 ms; the length of a whole start; and the stretch of a
// start in which it writes its files, learnt from the starts before. Ends
// with one normal run that must leave no temporary file behind.
//
//   power_cut_driver PROGRAM [CUTS [SECONDS]]
//
// Needs a display (DISPLAY). Prints the number of cuts and of damaged states;
// exits 0 only when at least CUTS cuts were made within SECONDS and none of
// them left damage. POWERCUT_SEED repeats the moments of an earlier run.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "CutJudge.h"
#include "FolderState.h"
#include "ProgramRuns.h"
#include "WriteWatch.h"

namespace {

using namespace PowerCut;
using std::chrono::milliseconds;

const std::string ProgramName = "tallyvane";
constexpr microseconds LongestCut{200000};
constexpr microseconds Margin{2000};
// A start renames two files into place: the log, then the checkpoint.
constexpr int RenamesOfAStart = 2;

struct TTally {
  int Cuts = 0;
  int Damaged = 0;
  int BeforeLogSave = 0, AfterLogSave = 0, AfterCheckpoint = 0;
  int TemporaryLeft = 0;  // cut in the middle of a replacement
};

std::string MakeFolder(const std::string& program) {
  std::string pattern = "/tmp/tallyvane-powercut-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  std::filesystem::copy_file(program, pattern + "/" + ProgramName);
  std::ofstream(pattern + "/CHKPT.INI", std::ios::binary) << "[main]\r\nTripStatus=0\r\nTripTS=2026-12-06 18:41\r\n";
  std::ofstream(pattern + "/triplog.txt", std::ios::binary) << "a line from before the first cut\r\n";
  return pattern;
}

double Ms(microseconds time) { return static_cast<double>(time.count()) / 1000; }

microseconds Median(std::vector<microseconds> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// When recent whole starts wrote their files.
class TWriteSpan {
 public:
  void Learn(const TWriteTimes& times) {
    if (times.Renames != RenamesOfAStart || !times.FirstNewFile) return;
    recent_.push_back(times);
    if (recent_.size() > 15) recent_.pop_front();
  }
  // The whole first 200 ms until a start has been seen writing.
  microseconds From() const {
    return recent_.empty() ? microseconds(0)
                           : std::max(microseconds(0), Median(Pick(&TWriteTimes::FirstNewFile)) - Margin);
  }
  microseconds To() const {
    // Not capped: on a loaded machine a start may write later than LongestCut,
    // and a span that ended before it began would never end the drawing.
    return recent_.empty() ? LongestCut : Median(Pick(&TWriteTimes::LastRename)) + Margin;
  }

 private:
  std::vector<microseconds> Pick(std::optional<microseconds> TWriteTimes::*field) const {
    std::vector<microseconds> values;
    for (const TWriteTimes& times : recent_) values.push_back(*(times.*field));
    return values;
  }
  std::deque<TWriteTimes> recent_;
};

// A start is over when the log holds its lines and the checkpoint says
// running with a stamp no earlier than the start line's.
bool StartIsOver(const TFolderState& before, const TFolderState& now) {
  if (now.Log.Bytes.size() <= before.Log.Bytes.size() + 2) return false;
  const std::string added = now.Log.Bytes.substr(before.Log.Bytes.size());
  const auto lastLine = added.rfind("\r\n", added.size() - 3);
  const std::string startStamp = added.substr(lastLine == std::string::npos ? 0 : lastLine + 2, 16);
  const TCheckpointKeys keys = CheckpointKeysOf(now.Checkpoint.Bytes);
  return !(now.Checkpoint.Identity == before.Checkpoint.Identity) && keys.Status == "1" &&
         keys.Stamp.value_or("") >= startStamp;
}

// Runs one start to its end without a cut and ends the program normally.
bool WholeStart(const std::string& folder, TWriteWatch& watch, TWriteSpan& span) {
  const TFolderState before = ReadFolderState(folder, ProgramName);
  watch.Clear();
  const auto began = Clock::now();
  TProgramRun run(folder, ProgramName);
  TWriteTimes times;
  const auto over = [&] { return StartIsOver(before, ReadFolderState(folder, ProgramName)); };
  if (!watch.WatchUntil(began, began + std::chrono::seconds(10), times, over)) return false;
  span.Learn(times);
  return run.End(milliseconds(5000)) == 0;
}

void Report(int cut, microseconds delay, const std::vector<std::string>& damage) {
  std::printf("cut %d at %.2f ms left damage:\n", cut, Ms(delay));
  for (const std::string& item : damage) std::printf("  %s\n", item.c_str());
}

int CutAgainAndAgain(int argc, char** argv) {
  const long wantedCuts = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 300;
  const auto timeLimit = std::chrono::seconds(argc > 3 ? std::strtol(argv[3], nullptr, 10) : 180);
  const char* seedText = std::getenv("POWERCUT_SEED");
  const auto seed = seedText != nullptr ? std::strtoul(seedText, nullptr, 10) : std::random_device{}();
  std::mt19937 random(static_cast<std::mt19937::result_type>(seed));
  const std::string folder = MakeFolder(argv[1]);
  std::printf("power cuts in %s, POWERCUT_SEED=%lu\n", folder.c_str(), static_cast<unsigned long>(seed));

  TWriteWatch watch(folder);
  TWriteSpan writes;
  for (int i = 0; i < 5; ++i) {
    if (!WholeStart(folder, watch, writes)) {
      std::printf("FAILED: the program did not start and end normally\n");
      return 1;
    }
  }
  std::printf("a start writes its files from %.2f to %.2f ms after it began\n", Ms(writes.From() + Margin),
              Ms(writes.To() - Margin));

  TTally tally;
  TTempAges temps;
  const auto began = Clock::now();
  while (tally.Cuts < wantedCuts && Clock::now() - began < timeLimit) {
    const TFolderState before = ReadFolderState(folder, ProgramName);
    using TSpan = std::uniform_int_distribution<long>;
    // On a loaded machine a start can write later than the longest cut.
    const long to = writes.To().count();
    TSpan spans[] = {TSpan(0, LongestCut.count()), TSpan(0, to), TSpan(std::min(writes.From().count(), to), to)};
    const microseconds delay{spans[tally.Cuts % 3](random)};
    watch.Clear();
    TWriteTimes times;
    bool cutWhileRunning = false;
    {
      const auto start = Clock::now();
      TProgramRun run(folder, ProgramName);
      watch.WatchUntil(start, start + delay, times);
      cutWhileRunning = run.Cut();
    }
    writes.Learn(times);
    ++tally.Cuts;
    const TFolderState after = ReadFolderState(folder, ProgramName);
    const TCutJudgement judgement = JudgeCut(before, after, temps);
    if (after.OtherNames.size() > before.OtherNames.size()) ++tally.TemporaryLeft;
    std::vector<std::string> damage = judgement.Damage;
    if (!cutWhileRunning) damage.emplace_back("the program had ended by itself");
    if (!damage.empty() && ++tally.Damaged <= 10) Report(tally.Cuts, delay, damage);
    ++(judgement.CheckpointReplaced ? tally.AfterCheckpoint
       : judgement.LogSaved         ? tally.AfterLogSave
                                    : tally.BeforeLogSave);
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - began).count();

  // A normal run afterwards cleans up and ends with a normal-shutdown status.
  bool cleanEnd = WholeStart(folder, watch, writes);
  const TFolderState last = ReadFolderState(folder, ProgramName);
  cleanEnd = cleanEnd && CheckpointProblems(last.Checkpoint).empty() &&
             CheckpointKeysOf(last.Checkpoint.Bytes).Status == "0" && last.OtherNames.empty();

  std::printf("the last starts wrote their files from %.2f to %.2f ms after they began\n", Ms(writes.From() + Margin),
              Ms(writes.To() - Margin));
  std::printf(
      "cuts before the log save: %d, after the log save: %d, after a checkpoint write: %d; "
      "in the middle of a replacement: %d\n",
      tally.BeforeLogSave, tally.AfterLogSave, tally.AfterCheckpoint, tally.TemporaryLeft);
  std::printf("power cuts: %d in %.0f s, damaged states: %d\n", tally.Cuts, seconds, tally.Damaged);
  std::printf("a normal run afterwards %s\n", cleanEnd ? "left a sound folder" : "FAILED to leave a sound folder");
  const bool passed = tally.Cuts >= wantedCuts && tally.Damaged == 0 && cleanEnd;
  if (passed) std::filesystem::remove_all(folder);
  std::printf("%s\n", passed ? "PASSED" : "FAILED");
  return passed ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s PROGRAM [CUTS [SECONDS]]\n", argv[0]);
    return 2;
  }
  try {
    return CutAgainAndAgain(argc, argv);
  } catch (const std::exception& error) {
    std::printf("FAILED: %s\n", error.what());
    return 1;
  }
}
