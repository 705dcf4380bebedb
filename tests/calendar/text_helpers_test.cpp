// Ampersands, letter case, path parts, the program folder and the application title.
#include <filesystem>

#include "support/CdatlibTest.h"

namespace {

class TextHelpersTest : public CdatlibTest {};

TEST_F(TextHelpersTest, DoubleAmpersandsDoublesEveryOne) {
  struct Case {
    std::string text, expected;
    bool found;
  } cases[] = {{"no ampersand", "no ampersand", false}, {"", "", false},       {"&", "&&", true}, {"&&", "&&&&", true},
               {"Tom & Jerry", "Tom && Jerry", true},   {"&a&", "&&a&&", true}};
  for (const Case& c : cases) {
    std::string text = c.text;
    EXPECT_EQ(Cdatlib::DoubleAmpersands(text), c.found) << c.text;
    EXPECT_EQ(text, c.expected) << c.text;
  }
}

TEST_F(TextHelpersTest, LetterCaseTouchesAsciiLettersOnly) {
  struct Case {
    std::string text, upper, lower;
  } cases[] = {
      {"abc XYZ", "ABC XYZ", "abc xyz"},
      {"2026-12-06 18:41  Abnormal program end", "2026-12-06 18:41  ABNORMAL PROGRAM END",
       "2026-12-06 18:41  abnormal program end"},
      {"\xe4\xd6 caf\xc3\xa9 CAF\xc3\x89", "\xe4\xd6 CAF\xc3\xa9 CAF\xc3\x89", "\xe4\xd6 caf\xc3\xa9 caf\xc3\x89"},
      {"@[`{", "@[`{", "@[`{"},
      {std::string("a\0B", 3), std::string("A\0B", 3), std::string("a\0b", 3)},
      {"", "", ""}};
  for (const Case& c : cases) {
    std::string upper = c.text;
    Cdatlib::UpperCaseInPlace(upper);
    EXPECT_EQ(upper, c.upper) << c.text;
    EXPECT_EQ(Cdatlib::AsciiLowerCase(c.text), c.lower) << c.text;
    EXPECT_TRUE(Cdatlib::SameIgnoringAsciiCase(c.upper, c.lower)) << c.text;
  }
  EXPECT_FALSE(Cdatlib::SameIgnoringAsciiCase("caf\xc3\xa9", "CAF\xc3\x89"));
  EXPECT_FALSE(Cdatlib::SameIgnoringAsciiCase("main", "mains"));
}

TEST_F(TextHelpersTest, FolderNameAndTitleOfAPath) {
  struct Case {
    std::string path, folder, title;
  } cases[] = {
      {"tallyvane", "", "tallyvane"},
      {"", "", ""},
      {"/opt/x/MyMonitor.EXE", "/opt/x/", "Mymonitor"},
      {"/opt/x/my.monitor.exe", "/opt/x/", "my"},
      {"/usr/bin/tallyvane", "/usr/bin/", "tallyvane"},
      {"/usr/bin/TALLYVANE", "/usr/bin/", "Tallyvane"},
      {"/a.b/Prog", "/a.b/", "Prog"},
      {"/tallyvane", "/", "tallyvane"},
      {"/opt/.hidden", "/opt/", ""},
      {"/opt/\xc3\x84RGER\xc3\x96L", "/opt/", "\xc3\x84rger\xc3\xb6l"},  // UTF-8 stays valid
      {"/opt/\xc3\xa9T\xc3\x89", "/opt/", "\xc3\xa9t\xc3\xa9"},          // the first character is kept
      {"/opt/AB\xff"
       "CD",
       "/opt/",
       "Ab\xff"
       "cd"},  // a stray byte is kept
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Cdatlib::SplitPath(c.path).Folder, c.folder) << c.path;
    EXPECT_EQ(c.folder + Cdatlib::SplitPath(c.path).Name, c.path) << c.path;
    EXPECT_EQ(Cdatlib::TitleOfPath(c.path), c.title) << c.path;
  }
}

TEST_F(TextHelpersTest, PathFolderAndTitleOfThisTestProgram) {
  const std::filesystem::path program = std::filesystem::canonical(CDATLIB_TESTS_PROGRAM);
  EXPECT_EQ(Cdatlib::RunningProgramPath(), program.string());
  EXPECT_EQ(Cdatlib::ProgramFolder, program.parent_path().string() + "/");
  EXPECT_EQ(Cdatlib::ApplicationTitle(), "cdatlib_tests");
}

}  // namespace
