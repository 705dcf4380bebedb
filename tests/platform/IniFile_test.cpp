// INI files on disk: what a read makes of each kind of file, and keys
// written together as one replacement.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "platform/FileFailure.h"
#include "platform/IniFile.h"
#include "platform/SafeFile.h"
#include "support/TempFolder.h"

namespace {

using namespace TestSupport;

struct TReadCase {
  const char* Name;
  void (*Make)(const std::string& path);
  const char* Outcome;  // the content, its length when long, "none", or "fails"
};

void PrintTo(const TReadCase& c, std::ostream* os) { *os << c.Name; }

class IniFileRead : public testing::TestWithParam<TReadCase> {};

TEST_P(IniFileRead, GivesTheContentNothingOrFails) {
  TTempFolder folder;
  const std::string path = folder / "CHKPT.INI";
  GetParam().Make(path);
  std::string outcome;
  try {
    const auto content = Platform::ReadIniFile(path);
    outcome = !content ? "none" : content->size() > 100 ? std::to_string(content->size()) : *content;
  } catch (const Platform::EFileFailure&) {
    outcome = "fails";
  }
  EXPECT_EQ(outcome, GetParam().Outcome);
}

INSTANTIATE_TEST_SUITE_P(
    Files, IniFileRead,
    testing::Values(
        TReadCase{"Missing", [](const std::string&) {}, "none"},
        TReadCase{"DanglingLink", [](const std::string& p) { std::filesystem::create_symlink(p + ".gone", p); }, "none"},
        TReadCase{"Regular", [](const std::string& p) { WriteBytes(p, "[main]\r\n"); }, "[main]\r\n"},
        TReadCase{"AtTheLimit",
                  [](const std::string& p) { WriteBytes(p, std::string(Platform::IniFileLimit, ';')); },
                  "65536"},
        TReadCase{"Folder", [](const std::string& p) { std::filesystem::create_directory(p); }, "fails"},
        TReadCase{"PipeWithoutWriter", [](const std::string& p) { ::mkfifo(p.c_str(), 0644); }, "fails"},
        TReadCase{"EndlessDevice", [](const std::string& p) { std::filesystem::create_symlink("/dev/zero", p); },
                  "fails"},
        TReadCase{"BeyondTheLimit",
                  [](const std::string& p) { WriteBytes(p, std::string(Platform::IniFileLimit + 1, ';')); },
                  "fails"}),
    [](const testing::TestParamInfo<TReadCase>& info) { return std::string(info.param.Name); });

TEST(IniFile, KeysAreWrittenTogetherOnlyWhenCommitted) {
  TTempFolder folder;
  const std::string path = folder / "a.ini";
  WriteBytes(path, "[main]\r\nA=old\r\n");
  {
    const auto abandoned = Platform::PrepareProfileStrings(path, "main", {{"A", "1"}, {"B", "2"}});
  }
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
