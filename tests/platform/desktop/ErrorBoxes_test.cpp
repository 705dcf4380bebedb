// The endings of the two error boxes' texts, side by side.
#include <gtest/gtest.h>

#include "platform/desktop/ErrorBoxes.h"

namespace {

TEST(ErrorBoxTexts, EventAndStartUpErrorsEndTheirMessagesByDifferentRules) {
  struct Case {
    const char* message;
    const char* eventText;
    const char* startUpText;
  } cases[] = {
      {"Disk full", "Disk full.", "Disk full."},
      {"Is a directory.", "Is a directory.", "Is a directory."},
      {"Stop!", "Stop!", "Stop!."},
      {"Why?", "Why?.", "Why?."},
      {"(none)", "(none)", "(none)."},
      {"ends in a blank ", "ends in a blank ", "ends in a blank ."},
      {"", "", "."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Desktop::WithPeriodWhenEndingAboveDot(c.message), c.eventText) << c.message;
    EXPECT_EQ(Desktop::WithPeriodWhenNotEndingInDot(c.message), c.startUpText) << c.message;
  }
  EXPECT_EQ(Desktop::StartupErrorText("EInOutError", "tallyvane", nullptr, "Why?").substr(0, 41),
            "Exception EInOutError in module tallyvane");
  EXPECT_TRUE(Desktop::StartupErrorText("E", "m", nullptr, "Stop!").ends_with(".\nStop!."));
}

}  // namespace
