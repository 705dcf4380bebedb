// What the program keeps for the watcher reads back as it was kept, until a
// save drops it.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "platform/PendingBytes.h"

namespace {

TEST(PendingBytes, KeptBytesReadBackUntilDropped) {
  Platform::TPendingBytes pending;
  const std::string everyKind("\0\xff\r\n", 4);
  struct Step {
    const char* name;
    std::function<void()> act;
    std::optional<std::string> kept;
  } steps[] = {
      {"nothing kept yet", [] {}, std::nullopt},
      {"a log", [&] { pending.Keep("a\r\nb"); }, "a\r\nb"},
      {"a shorter one replaces it", [&] { pending.Keep("c"); }, "c"},
      {"an emptied log is still one to save", [&] { pending.Keep(""); }, ""},
      {"dropped by a save", [&] { pending.Drop(); }, std::nullopt},
      {"bytes of every kind", [&] { pending.Keep(everyKind); }, everyKind},
  };
  for (const Step& step : steps) {
    step.act();
    EXPECT_EQ(Platform::TPendingBytes::KeptIn(pending.Fd()), step.kept) << step.name;
  }
  EXPECT_EQ(Platform::TPendingBytes::KeptIn(-1), std::nullopt) << "no memory to share";
}

}  // namespace
