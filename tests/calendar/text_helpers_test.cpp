// Ampersands, upper-casing, the program folder and the application title.
#include <unistd.h>

#include <clocale>

#include "CdatlibTest.h"

namespace {

class TextHelpersTest : public CdatlibTest {};

TEST_F(TextHelpersTest, DoubleAmpersandsDoublesEveryOne) {
  struct Case {
    std::string text, expected;
    bool found;
  } cases[] = {{"no ampersand", "no ampersand", false},
               {"", "", false},
               {"&", "&&", true},
               {"&&", "&&&&", true},
               {"Tom & Jerry", "Tom && Jerry", true},
               {"&a&", "&&a&&", true}};
  for (const Case& c : cases) {
    std::string text = c.text;
    EXPECT_EQ(Cdatlib::DoubleAmpersands(text), c.found) << c.text;
    EXPECT_EQ(text, c.expected) << c.text;
  }
}

TEST_F(TextHelpersTest, UpperCaseInPlaceTouchesAsciiLettersOnly) {
  struct Case {
    std::string text, expected;
  } cases[] = {{"abc xyz", "ABC XYZ"},
               {"2026-12-06 18:41  Abnormal program end", "2026-12-06 18:41  ABNORMAL PROGRAM END"},
               {"\xe4\xf6\xfc caf\xc3\xa9", "\xe4\xf6\xfc CAF\xc3\xa9"},
               {std::string("a\0b", 3), std::string("A\0B", 3)},
               {"", ""}};
  for (const Case& c : cases) {
    std::string text = c.text;
    Cdatlib::UpperCaseInPlace(text);
    EXPECT_EQ(text, c.expected) << c.text;
  }
}

TEST_F(TextHelpersTest, FolderAndTitleOfAProgramPath) {
  struct Case {
    std::string path, folder, title;
  } cases[] = {
      {"/opt/x/MyMonitor.EXE", "/opt/x/", "Mymonitor"},
      {"/opt/x/my.monitor.exe", "/opt/x/", "my"},
      {"/usr/bin/tallyvane", "/usr/bin/", "tallyvane"},
      {"/usr/bin/TALLYVANE", "/usr/bin/", "Tallyvane"},
      {"/a.b/Prog", "/a.b/", "Prog"},
      {"/tallyvane", "/", "tallyvane"},
      {"/opt/.hidden", "/opt/", ""},
      {"/opt/\xc3\x84RGER\xc3\x96L", "/opt/", "\xc3\x84rger\xc3\xb6l"},  // UTF-8 stays valid
      {"/opt/\xc3\xa9T\xc3\x89", "/opt/", "\xc3\xa9t\xc3\xa9"},         // the first character is kept
      {"/opt/AB\xff" "CD", "/opt/", "Ab\xff" "cd"},                    // a stray byte is kept
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Cdatlib::FolderOfPath(c.path), c.folder) << c.path;
    EXPECT_EQ(Cdatlib::TitleOfPath(c.path), c.title) << c.path;
  }
}

TEST_F(TextHelpersTest, FolderAndTitleOfThisTestProgram) {
  char buffer[4096] = {};
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  ASSERT_GT(length, 0);
  const std::string path(buffer, static_cast<size_t>(length));
  EXPECT_EQ(Cdatlib::ProgramFolder, path.substr(0, path.rfind('/') + 1));
  EXPECT_EQ(Cdatlib::ProgramFolder.back(), '/');
  EXPECT_EQ(Cdatlib::ApplicationTitle(), "cdatlib_tests");
}

TEST_F(TextHelpersTest, InitializeRestoresTheModuleStart) {
  Cdatlib::StampStyle = 2;
  Cdatlib::PadChar = ' ';
  Cdatlib::SetTransition({1582, 10, 4});
  Cdatlib::FirstGregorianDay = {1582, 10, 15};
  Cdatlib::CloseOnPick = true;
  Cdatlib::ProgramFolder = "elsewhere";
  Cdatlib::Initialize();
  EXPECT_EQ(Cdatlib::StampStyle, 1);
  EXPECT_EQ(Cdatlib::PadChar, '0');
  EXPECT_EQ(Cdatlib::LastJulianDay, (Cdatlib::TCalDate{1752, 9, 2}));
  EXPECT_EQ(Cdatlib::FirstGregorianDay, (Cdatlib::TCalDate{1752, 9, 14}));
  EXPECT_EQ(Cdatlib::LastJulianDayNumber, 639798);
  EXPECT_EQ(Cdatlib::MonthLengths[2], 29);
  EXPECT_FALSE(Cdatlib::CloseOnPick);
  EXPECT_NE(Cdatlib::ProgramFolder, "elsewhere");
}

}  // namespace
