// Only the watcher's own call starts the display-end run: any other command
// line is an ordinary start.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/DisplayEndWatch.h"

namespace {

using Platform::TDisplayKind;

TEST(DisplayEndWatch, OnlyTheWatchersCallIsTheDisplayEndRun) {
  const struct {
    std::vector<const char*> arguments;
    std::optional<TDisplayKind> kind;
  } cases[] = {
      {{"tallyvane"}, std::nullopt},
      {{"tallyvane", "--display-ended", "x"}, TDisplayKind::dkX11},
      {{"tallyvane", "--display-ended", "w"}, TDisplayKind::dkWayland},
      {{"tallyvane", "--display-ended", "xw"}, std::nullopt},
      {{"tallyvane", "--display-ended", ""}, std::nullopt},
      {{"tallyvane", "--display-ended"}, std::nullopt},
      {{"tallyvane", "--display-ended", "x", "x"}, std::nullopt},
      {{"tallyvane", "-display-ended", "x"}, std::nullopt},
  };
  for (const auto& c : cases) {
    std::vector<char*> argv;
    for (const char* argument : c.arguments) argv.push_back(const_cast<char*>(argument));
    const std::string call = c.arguments.size() > 1 ? c.arguments[1] : "";
    EXPECT_EQ(Platform::DisplayEndRun(static_cast<int>(argv.size()), argv.data()), c.kind)
        << call << ", " << c.arguments.size() << " arguments";
  }
}

}  // namespace
