// The order checker must pass a replacement done right and name every way a
// replacement can go wrong; traces here are written as strace prints them.
#include "ReplacementOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

using namespace Robustness;

const std::string Target = "/tmp/f/CHKPT.INI";

std::string Lines(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) text.append("42 ").append(line).append("\n");
  return text;
}

const char* const Create =
    R"(openat(AT_FDCWD</tmp/f>, "/tmp/f/.CHKPT.INI.tmp-Ab12Cd", O_RDWR|O_CREAT|O_EXCL|O_CLOEXEC, 0600) = 7</tmp/f/.CHKPT.INI.tmp-Ab12Cd>)";
const char* const Write = R"(write(7</tmp/f/.CHKPT.INI.tmp-Ab12Cd>, "[main]\r\nTri", 11) = 11)";
const char* const FlushTemp = R"(fsync(7</tmp/f/.CHKPT.INI.tmp-Ab12Cd>) = 0)";
const char* const CloseTemp = R"(close(7</tmp/f/.CHKPT.INI.tmp-Ab12Cd>) = 0)";
const char* const Rename = R"(rename("/tmp/f/.CHKPT.INI.tmp-Ab12Cd", "/tmp/f/CHKPT.INI") = 0)";
const char* const OpenFolder = R"(openat(AT_FDCWD</tmp/f>, "/tmp/f", O_RDONLY|O_DIRECTORY|O_CLOEXEC) = 8</tmp/f>)";
const char* const FlushFolder = R"(fsync(8</tmp/f>) = 0)";
const char* const OpenTarget =
    R"(openat(AT_FDCWD</tmp/f>, "/tmp/f/CHKPT.INI", O_WRONLY|O_NOCTTY|O_NONBLOCK|O_CLOEXEC) = 6</tmp/f/CHKPT.INI>)";
const char* const Refused =
    R"(openat(AT_FDCWD</tmp/f>, "/tmp/f/.CHKPT.INI.tmp-Zz99Yy", O_RDWR|O_CREAT|O_EXCL|O_CLOEXEC, 0600) = -1 EACCES (Permission denied))";
const char* const DiskFull =
    R"(openat(AT_FDCWD</tmp/f>, "/tmp/f/.CHKPT.INI.tmp-Zz99Yy", O_RDWR|O_CREAT|O_EXCL|O_CLOEXEC, 0600) = -1 ENOSPC (No space left on device))";
const char* const Truncate = R"(ftruncate(6</tmp/f/CHKPT.INI>, 0) = 0)";
const char* const WriteTarget = R"(pwrite64(6</tmp/f/CHKPT.INI>, "[main]\r\nTripStatus=0\r\n", 22, 0) = 22)";
const char* const FlushTarget = R"(fsync(6</tmp/f/CHKPT.INI>) = 0)";

struct TOrderCase {
  const char* Name;
  std::string Trace;
  const char* Violation;  // a part of a violation expected, or "" for none
  int Replacements;
  int InPlace;
};

void PrintTo(const TOrderCase& c, std::ostream* os) { *os << c.Name; }

class OrderChecker : public testing::TestWithParam<TOrderCase> {};

TEST_P(OrderChecker, JudgesTheTrace) {
  const TOrderCase& c = GetParam();
  const TOrderReport report = CheckReplacements(ParseStraceLog(c.Trace), {Target, "/tmp/f/triplog.txt"});
  if (std::string(c.Violation).empty()) {
    EXPECT_TRUE(report.Violations.empty()) << testing::PrintToString(report.Violations);
  } else {
    const bool seen = std::any_of(report.Violations.begin(), report.Violations.end(),
                                  [&](const std::string& v) { return v.find(c.Violation) != std::string::npos; });
    EXPECT_TRUE(seen) << testing::PrintToString(report.Violations);
  }
  EXPECT_EQ(report.Replacements.contains(Target) ? report.Replacements.at(Target) : 0, c.Replacements);
  EXPECT_EQ(report.InPlaceRewrites.contains(Target) ? report.InPlaceRewrites.at(Target) : 0, c.InPlace);
}

INSTANTIATE_TEST_SUITE_P(
    Traces, OrderChecker,
    testing::Values(
        TOrderCase{"InOrder",
                   Lines({OpenTarget, Create, Write, Write, FlushTemp, CloseTemp, Rename, OpenFolder, FlushFolder}), "",
                   1, 0},
        TOrderCase{
            "TwoInOrder",
            Lines({Create, Write, FlushTemp, Rename, FlushFolder, Create, Write, FlushTemp, Rename, FlushFolder}), "",
            2, 0},
        TOrderCase{"NoFlushOfTheTemporary", Lines({Create, Write, CloseTemp, Rename, FlushFolder}),
                   "renamed before the temporary was fsynced", 1, 0},
        TOrderCase{"WrittenAfterItsFlush", Lines({Create, Write, FlushTemp, Write, Rename, FlushFolder}),
                   "renamed before the temporary was fsynced", 1, 0},
        TOrderCase{"NoFlushOfTheFolder", Lines({Create, Write, FlushTemp, Rename}), "folder was not fsynced", 1, 0},
        TOrderCase{"FolderFlushedOnlyBeforeTheRename", Lines({Create, Write, FlushTemp, FlushFolder, Rename}),
                   "folder was not fsynced", 1, 0},
        TOrderCase{"NextWriteBeforeTheFolderFlush",
                   Lines({Create, Write, FlushTemp, Rename, Create, Write, FlushTemp, Rename, FlushFolder}),
                   "before the folder was fsynced", 2, 0},
        TOrderCase{"WrittenInPlace", Lines({OpenTarget, WriteTarget, FlushTarget}), "written in place", 0, 0},
        TOrderCase{
            "OpenedToBeEmptied",
            Lines(
                {R"(openat(AT_FDCWD</tmp/f>, "/tmp/f/CHKPT.INI", O_WRONLY|O_CREAT|O_TRUNC, 0666) = 6</tmp/f/CHKPT.INI>)"}),
            "emptied", 0, 0},
        TOrderCase{"RefusedFolderRewritesInPlace", Lines({OpenTarget, Refused, WriteTarget, FlushTarget}), "", 0, 1},
        TOrderCase{"TruncatedEvenWhereTheFolderRefuses",
                   Lines({OpenTarget, Refused, Truncate, WriteTarget, FlushTarget}), "truncated", 0, 1},
        TOrderCase{
            "RefusedRenameRewritesInPlace",
            Lines({OpenTarget, Create, Write, FlushTemp,
                   R"(rename("/tmp/f/.CHKPT.INI.tmp-Ab12Cd", "/tmp/f/CHKPT.INI") = -1 EACCES (Permission denied))",
                   R"(unlink("/tmp/f/.CHKPT.INI.tmp-Ab12Cd") = 0)", WriteTarget, FlushTarget}),
            "", 0, 1},
        TOrderCase{"InPlaceWithoutFlush", Lines({OpenTarget, Refused, WriteTarget}), "not fsynced", 0, 1},
        TOrderCase{"FullDiskIsNoReasonForInPlace", Lines({OpenTarget, DiskFull, WriteTarget, FlushTarget}),
                   "written in place", 0, 0},
        TOrderCase{"TemporaryLeftBehind", Lines({Create, Write}), "left behind", 0, 0},
        TOrderCase{
            "TemporaryRemovedAfterAFailure",
            Lines({Create,
                   R"(write(7</tmp/f/.CHKPT.INI.tmp-Ab12Cd>, "[main]", 6) = -1 ENOSPC (No space left on device))",
                   R"(unlink("/tmp/f/.CHKPT.INI.tmp-Ab12Cd") = 0)"}),
            "", 0, 0},
        TOrderCase{"RenamedFromElsewhere",
                   Lines({R"(rename("/tmp/f/CHKPT.new", "/tmp/f/CHKPT.INI") = 0)", FlushFolder}),
                   "not created as its temporary", 1, 0},
        TOrderCase{
            "TemporaryNotCreatedNew",
            Lines(
                {R"(openat(AT_FDCWD</tmp/f>, "/tmp/f/.CHKPT.INI.tmp-Ab12Cd", O_RDWR|O_CREAT|O_CLOEXEC, 0600) = 7</tmp/f/.CHKPT.INI.tmp-Ab12Cd>)",
                 Write, FlushTemp, Rename, FlushFolder}),
            "not created new", 1, 0},
        TOrderCase{"SplitLinesAreJoined",
                   Lines({Create, Write, "fsync(7</tmp/f/.CHKPT.INI.tmp-Ab12Cd> <unfinished ...>",
                          "<... fsync resumed>) = 0", Rename, FlushFolder}),
                   "", 1, 0}),
    [](const testing::TestParamInfo<TOrderCase>& info) { return std::string(info.param.Name); });

TEST(StraceLog, ReadsPathsResultsAndErrors) {
  const auto calls = ParseStraceLog(
      "7 openat(AT_FDCWD</a>, \"/a/b, c\", O_RDONLY) = -1 ENOENT (No such file or directory)\n"
      "7 close(6</a/x>(deleted)) = 0\n"
      "7 +++ exited with 0 +++\n");
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].PathArgument(1), "/a/b, c");
  EXPECT_EQ(calls[0].Result, -1);
  EXPECT_EQ(calls[0].Error, "ENOENT");
  EXPECT_EQ(calls[1].DescriptorPath(0), "/a/x");
}

}  // namespace
