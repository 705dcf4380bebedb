// Only the watcher's own call starts the display-end run, and that run
// judges by what its watcher handed it: any other command line is an
// ordinary start, and a run without the watcher's descriptors saw no end.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/DisplayEndWatch.h"

namespace {

TEST(DisplayEndWatch, OnlyTheWatchersCallIsTheDisplayEndRun) {
  const struct {
    std::vector<const char*> arguments;
    bool run;
  } cases[] = {
      {{"tallyvane"}, false},
      {{"tallyvane", "--display-ended"}, true},
      {{"tallyvane", "--display-ended", "x"}, false},
      {{"tallyvane", "--display-ended", ""}, false},
      {{"tallyvane", "-display-ended"}, false},
      {{"tallyvane", "--display-ended="}, false},
  };
  for (const auto& c : cases) {
    std::vector<char*> argv;
    for (const char* argument : c.arguments) argv.push_back(const_cast<char*>(argument));
    EXPECT_EQ(Platform::IsDisplayEndRun(static_cast<int>(argv.size()), argv.data()), c.run)
        << (c.arguments.size() > 1 ? c.arguments[1] : "") << ", " << c.arguments.size() << " arguments";
  }
}

// Standard input and descriptor 5 as the watcher leaves them: the program's
// socket, and the display connection, each closed or not by its other side.
TEST(DisplayEndWatch, TheEndIsSeenOnlyWhenBothSocketsWereClosedByTheOtherSide) {
  const struct {
    const char* name;
    bool programGone, displayGone, displayIsSocket;
    bool seen;
  } cases[] = {
      {"program and display gone", true, true, true, true},
      {"program killed, display alive", true, false, true, false},
      {"program alive, display gone", false, true, true, false},
      {"no display connection handed on", true, true, false, false},
  };
  const int savedInput = dup(STDIN_FILENO);
  for (const auto& c : cases) {
    int program[2], display[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, program), 0);
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, display), 0);
    ASSERT_EQ(send(display[1], "event", 5, 0), 5);  // unread events of a display that lives on
    if (c.programGone) close(program[1]);
    if (c.displayGone) close(display[1]);
    dup2(program[0], STDIN_FILENO);
    if (c.displayIsSocket) {
      dup2(display[0], 5);
    } else {
      const int file = open("/dev/null", O_RDONLY);
      dup2(file, 5);
      close(file);
    }
    EXPECT_EQ(Platform::WatcherSawTheDisplayEnd(), c.seen) << c.name;
    for (const int fd : {program[0], display[0], 5}) close(fd);
    if (!c.programGone) close(program[1]);
    if (!c.displayGone) close(display[1]);
  }
  dup2(savedInput, STDIN_FILENO);
  close(savedInput);
}

}  // namespace
