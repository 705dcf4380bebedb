// Runs a copy of the real program in a folder of its own on the offscreen
// platform, optionally under strace and optionally as the unprivileged user
// (root ignores permission bits), waits for its start-up to finish and ends
// it as a session end does (SIGTERM).
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>

namespace Robustness {

// What a program folder holds before a case starts the program in it: the
// checkpoint of a run that was still going, and one line of history.
inline const std::string OldCheckpoint = "[main]\r\nTripStatus=1\r\nTripTS=2026-12-06 18:41\r\n";
inline const std::string OldLog = "an older line\r\n";

enum class TFile { Checkpoint, Log };

struct TRunOptions {
  bool Strace = false;
  bool Unprivileged = false;
};

class TRealProgram {
 public:
  // The folder gets a copy of the program; the trace and the program's error
  // output go to files in outputFolder, which the program's user may write.
  TRealProgram(const std::string& folder, const std::string& outputFolder, TRunOptions options);
  ~TRealProgram();
  TRealProgram(const TRealProgram&) = delete;
  TRealProgram& operator=(const TRealProgram&) = delete;

  void Start();
  // True once the checkpoint says running and the trip log holds the start's line.
  bool WaitForStart();
  bool StartAndWait() {
    Start();
    return WaitForStart();
  }
  // True once the program's error output holds the text.
  bool WaitForErrorOutput(const std::string& text);
  // SIGTERM to the program, as a session end sends it.
  void AskToEnd();
  // AskToEnd, then its exit code, or -1 when it did not end in time.
  int EndSession();
  // SIGKILL, as a power cut would end it.
  void Kill();

  std::string ErrorOutput() const;
  std::string Trace() const;

 private:
  pid_t ProgramPid() const;
  bool WaitUntil(const std::function<bool()>& done);

  std::string folder_, errorPath_, tracePath_;
  TRunOptions options_;
  pid_t pid_ = -1;  // the program, or strace running it
};

// The program's own build, as the build system names it.
std::string ProgramUnderTest();

}  // namespace Robustness
