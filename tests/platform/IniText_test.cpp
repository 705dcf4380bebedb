// The INI layout rules on in-memory text: what a read finds, and what an
// update changes (only its own line) for well-formed and odd files alike.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/IniText.h"

namespace {

using Platform::FindIniValue;
using Platform::WithIniValue;
using namespace std::string_literals;

struct TReadCase {
  const char* Name;
  std::string Content;
  std::optional<std::string> Expected;
};

class IniRead : public testing::TestWithParam<TReadCase> {};

TEST_P(IniRead, FindsTheValueOfTripStatusInMain) {
  EXPECT_EQ(FindIniValue(GetParam().Content, "main", "TripStatus"), GetParam().Expected);
}

const std::string Bom = "\xEF\xBB\xBF";

INSTANTIATE_TEST_SUITE_P(
    Cases, IniRead,
    testing::Values(
        TReadCase{"CrLf", "[main]\r\nTripStatus=1\r\n", "1"}, TReadCase{"LfOnly", "[main]\nTripStatus=1\n", "1"},
        TReadCase{"LoneCr", "[main]\rTripStatus=1\r", "1"},
        TReadCase{"MixedBreaks", "[x]\r\na=b\n[main]\rTripStatus=1", "1"},
        TReadCase{"NoFinalBreak", "[main]\r\nTripStatus=1", "1"},
        TReadCase{"OtherCase", "[MAIN]\r\ntripstatus=1\r\n", "1"},
        TReadCase{"BlanksAroundNamesAndValue", "  [ main ]\r\n\t TripStatus \t= \t1 \t\r\n", "1"},
        TReadCase{"DoubleQuotes", "[main]\r\nTripStatus=\" 1 \"\r\n", " 1 "},
        TReadCase{"SingleQuotes", "[main]\r\nTripStatus='1'\r\n", "1"},
        TReadCase{"UnmatchedQuotes", "[main]\r\nTripStatus=\"1'\r\n", "\"1'"},
        TReadCase{"LoneQuote", "[main]\r\nTripStatus=\"\r\n", "\""},
        TReadCase{"EqualsInValue", "[main]\r\nTripStatus=a=b\r\n", "a=b"},
        TReadCase{"EmptyValue", "[main]\r\nTripStatus=\r\n", ""},
        TReadCase{"ByteOrderMark", Bom + "[main]\r\nTripStatus=1\r\n", "1"},
        TReadCase{"NulInValue", "[main]\r\nTripStatus=1\0x\r\n"s, "1\0x"s}, TReadCase{"EmptyFile", "", std::nullopt},
        TReadCase{"NoSuchSection", "[other]\r\nTripStatus=1\r\n", std::nullopt},
        TReadCase{"KeyBeforeAnySection", "TripStatus=1\r\n[main]\r\n", std::nullopt},
        TReadCase{"KeyInLaterSection", "[main]\r\n[other]\r\nTripStatus=1\r\n", std::nullopt},
        TReadCase{"SemicolonComment", "[main]\r\n;TripStatus=5\r\nTripStatus=1\r\n", "1"},
        TReadCase{"HashComment", "[main]\r\n #TripStatus=5\r\n", std::nullopt},
        TReadCase{"LineWithoutEquals", "[main]\r\nTripStatus\r\n", std::nullopt},
        TReadCase{"HeaderWithoutBracket", "[main\r\nTripStatus=1\r\n", std::nullopt},
        TReadCase{"NulInName", "[main]\r\nTrip\0Status=1\r\n"s, std::nullopt},
        TReadCase{"DuplicateKeys", "[main]\r\nTripStatus=1\r\nTripStatus=2\r\n", "1"},
        TReadCase{"DuplicateSections", "[main]\r\nTripStatus=1\r\n[main]\r\nTripStatus=2\r\n", "1"},
        TReadCase{"KeyOnlyInSecondDuplicate", "[main]\r\n[main]\r\nTripStatus=2\r\n", std::nullopt},
        TReadCase{"LongValueIsCut", "[main]\r\nTripStatus=" + std::string(5000, '7'), std::string(2047, '7')},
        TReadCase{"ValueAtTheLimit", "[main]\r\nTripStatus=" + std::string(2047, '7'), std::string(2047, '7')}),
    [](const auto& info) { return std::string(info.param.Name); });

struct TWriteCase {
  const char* Name;
  std::string Before;
  const char* Key;
  std::string After;
};

class IniWrite : public testing::TestWithParam<TWriteCase> {};

TEST_P(IniWrite, ChangesOnlyTheLineOfTheKey) {
  const TWriteCase& c = GetParam();
  const std::string after = WithIniValue(c.Before, "main", c.Key, "9");
  EXPECT_EQ(after, c.After);
  EXPECT_EQ(FindIniValue(after, "main", c.Key), "9");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniWrite,
    testing::Values(
        TWriteCase{"NewFile", "", "A", "[main]\r\nA=9\r\n"},
        TWriteCase{"ReplacedInPlace", "[main]\r\nA=1\r\nB=2\r\n", "A", "[main]\r\nA=9\r\nB=2\r\n"},
        TWriteCase{"AddedAtEndOfSection", "[main]\r\nA=1\r\n\r\n[x]\r\nA=1\r\n", "B",
                   "[main]\r\nA=1\r\nB=9\r\n\r\n[x]\r\nA=1\r\n"},
        TWriteCase{"AddedToEmptySection", "[main]\r\n[x]\r\n", "B", "[main]\r\nB=9\r\n[x]\r\n"},
        TWriteCase{"AddedAfterCommentOfSection", "[main]\r\nA=1\r\n; note\r\n", "B",
                   "[main]\r\nA=1\r\n; note\r\nB=9\r\n"},
        TWriteCase{"AddedAfterLastLineWithoutBreak", "[main]\nA=1", "B", "[main]\nA=1\r\nB=9\r\n"},
        TWriteCase{"SectionAddedAtEnd", "; c\r\n[x]\r\nA=1\r\n", "A", "; c\r\n[x]\r\nA=1\r\n[main]\r\nA=9\r\n"},
        TWriteCase{"SectionAddedAfterLastLineWithoutBreak", "[x]\nA=1", "A", "[x]\nA=1\r\n[main]\r\nA=9\r\n"},
        TWriteCase{"SectionAddedAfterLoneCr", "[x]\rA=1\r", "A", "[x]\rA=1\r[main]\r\nA=9\r\n"},
        TWriteCase{"ByteOrderMarkOnly", Bom, "A", Bom + "[main]\r\nA=9\r\n"},
        TWriteCase{"ByteOrderMarkKept", Bom + "[main]\nA=1\n", "A", Bom + "[main]\nA=9\r\n"},
        TWriteCase{"OtherLinesKeepLfBreaks", "[x]\nA=1\n[main]\nA=1\nB=2\n", "A", "[x]\nA=1\n[main]\nA=9\r\nB=2\n"},
        TWriteCase{"LastLineWithoutBreakReplaced", "[main]\nA=1", "A", "[main]\nA=9\r\n"},
        TWriteCase{"SpellingOfNameKept", "[MAIN]\r\n  a = 1 \r\n", "A", "[MAIN]\r\na=9\r\n"},
        TWriteCase{"FirstDuplicateKeyUpdated", "[main]\r\nA=1\r\nA=2\r\n", "A", "[main]\r\nA=9\r\nA=2\r\n"},
        TWriteCase{"FirstDuplicateSectionUpdated", "[main]\r\nB=1\r\n[main]\r\nA=2\r\n", "A",
                   "[main]\r\nB=1\r\nA=9\r\n[main]\r\nA=2\r\n"},
        TWriteCase{"CommentedKeyIsNotTheKey", "[main]\r\n;A=1\r\n", "A", "[main]\r\n;A=1\r\nA=9\r\n"},
        TWriteCase{"NulBytesElsewhereKept", "[x]\r\nz=\0\0\r\n[main]\r\nA=1\r\n"s, "A",
                   "[x]\r\nz=\0\0\r\n[main]\r\nA=9\r\n"s}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(IniRemove, TakesOutEveryLineOfTheKeyInTheSectionRead) {
  const struct {
    const char* name;
    const char* before;
    const char* after;
  } cases[] = {
      {"only key", "[main]\r\nS=1\r\n", "[main]\r\n"},
      {"between others", "[main]\r\nA=1\r\nS=1\r\nB=2\r\n", "[main]\r\nA=1\r\nB=2\r\n"},
      {"duplicates", "[main]\r\nS=1\r\nA=1\r\ns = 1\r\n", "[main]\r\nA=1\r\n"},
      {"last line without break", "[main]\nA=1\nS=1", "[main]\nA=1\n"},
      {"other sections kept", "[x]\r\nS=1\r\n[main]\r\nS=1\r\n[main]\r\nS=2\r\n",
       "[x]\r\nS=1\r\n[main]\r\n[main]\r\nS=2\r\n"},
      {"missing key", "[main]\r\nA=1\r\n", "[main]\r\nA=1\r\n"},
      {"missing section", "[x]\r\nS=1\r\n", "[x]\r\nS=1\r\n"},
      {"commented key kept", "[main]\r\n;S=1\r\n", "[main]\r\n;S=1\r\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(Platform::WithoutIniKey(c.before, "main", "S"), c.after) << c.name;
}

TEST(IniSize, ManyMegabytesWithVeryLongLinesAreUpdatedInOnePass) {
  std::string content = std::string(1 << 20, 'z') + "\r\n";  // one line of a megabyte
  for (int i = 0; i < 100000; ++i) content += "[s" + std::to_string(i) + "]\r\nk=v\r\n";
  const std::string before = content + "[main]\r\nA=1\r\n";
  const std::string after = WithIniValue(before, "main", "A", "9");
  EXPECT_EQ(after, content + "[main]\r\nA=9\r\n");
  EXPECT_EQ(FindIniValue(after, "MAIN", "a"), "9");
}

}  // namespace
