// INI files on disk: keys written together as one replacement.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/FileFailure.h"
#include "platform/IniFile.h"
#include "platform/SafeFile.h"
#include "support/TempFolder.h"

namespace {

using namespace TestSupport;

TEST(IniFile, KeysAreWrittenTogetherOnlyWhenCommitted) {
  TTempFolder folder;
  const std::string path = folder / "a.ini";
  WriteBytes(path, "[main]\r\nA=old\r\n");
  { const auto abandoned = Platform::PrepareProfileStrings(path, "main", {{"A", "1"}, {"B", "2"}}); }
  EXPECT_EQ(ReadBytes(path), "[main]\r\nA=old\r\n");
  EXPECT_EQ(EntryNames(folder.Path()), std::vector<std::string>{"a.ini"});
  int replacements = 0;
  Platform::SetWriteStepHook([&](Platform::TWriteStep step) { replacements += step == Platform::TWriteStep::Renamed; });
  Platform::PrepareProfileStrings(path, "main", {{"A", "1"}, {"B", "2"}}).Commit();
  Platform::SetWriteStepHook(nullptr);
  EXPECT_EQ(ReadBytes(path), "[main]\r\nA=1\r\nB=2\r\n");
  EXPECT_EQ(replacements, 1);
}

TEST(IniFile, AFolderInTheWayFailsTheWrite) {
  TTempFolder folder;
  std::filesystem::create_directory(folder / "b.ini");
  EXPECT_THROW(Platform::PrepareProfileStrings(folder / "b.ini", "main", {{"A", "1"}}), Platform::EFileFailure);
}

}  // namespace
