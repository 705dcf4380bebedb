// INI files on disk: a read never fails and never creates the file.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/FileFailure.h"
#include "platform/IniFile.h"
#include "support/TempFolder.h"

namespace {

using namespace TestSupport;

TEST(IniFile, ReadsTheDefaultWhereThereIsNoFileToRead) {
  TTempFolder folder;
  const std::string missing = folder / "CHKPT.INI";
  const std::string aFolder = folder / "folder.ini";
  std::filesystem::create_directory(aFolder);
  for (const std::string& path : {missing, aFolder}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(Platform::ReadProfileString(path, "main", "TripStatus", "dflt"), "dflt");
  }
  EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST(IniFile, AWriteCreatesTheFileAndAFolderInTheWayFails) {
  TTempFolder folder;
  Platform::WriteProfileString(folder / "a.ini", "main", "A", "1");
  EXPECT_EQ(ReadBytes(folder / "a.ini"), "[main]\r\nA=1\r\n");
  std::filesystem::create_directory(folder / "b.ini");
  EXPECT_THROW(Platform::WriteProfileString(folder / "b.ini", "main", "A", "1"),
               Platform::EFileFailure);
}

}  // namespace
