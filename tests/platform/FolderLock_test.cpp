// The folder's locks: one holder at a time, the kernel's to drop, and a lock
// file that exactly the accounts that may write the folder can take.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

#include "platform/FolderLock.h"
#include "support/TempFolder.h"

namespace {

using Platform::TFolderHolder;
using Platform::TFolderLock;

class FolderLock : public testing::Test {
 protected:
  void SetUp() override {
    chmod(runtime_.Path().c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", runtime_.Path().c_str(), 1);
  }
  void TearDown() override { unsetenv("XDG_RUNTIME_DIR"); }

  TestSupport::TTempFolder runtime_, folder_;
  const std::string path_ = folder_.Path() + "/";
};

// Open-file-description locks conflict within one process too, so a second
// lock object stands in for a second start.
TEST_F(FolderLock, OneHolderAtATimeAndNoneAfterIt) {
  auto first = std::make_unique<TFolderLock>();
  EXPECT_EQ(first->Take(path_).Kind, TFolderHolder::fhNone);
  const TFolderHolder second = TFolderLock().Take(path_);
  EXPECT_EQ(second.Kind, TFolderHolder::fhThisUser);
  EXPECT_EQ(second.Uid, geteuid());
  EXPECT_EQ(second.Pid, getpid());
  first.reset();
  EXPECT_EQ(TFolderLock().Take(path_).Kind, TFolderHolder::fhNone);
}

// Without the folder's lock file (no regular file can be made there) or
// without a runtime folder of this user's alone, the other lock still holds.
TEST_F(FolderLock, EitherLockAloneKeepsASecondStartOut) {
  const struct {
    const char* name;
    bool folderLockPossible, runtimePrivate;
  } cases[] = {{"runtime lock only", false, true}, {"folder lock only", true, false}};
  for (const auto& c : cases) {
    TestSupport::TTempFolder folder;
    const std::string path = folder.Path() + "/";
    if (!c.folderLockPossible) mkdir((path + "tallyvane.lock").c_str(), 0700);
    chmod(runtime_.Path().c_str(), c.runtimePrivate ? 0700 : 0755);
    TFolderLock first;
    EXPECT_EQ(first.Take(path).Kind, TFolderHolder::fhNone) << c.name;
    EXPECT_EQ(TFolderLock().Take(path).Kind, TFolderHolder::fhThisUser) << c.name;
  }
}

TEST_F(FolderLock, TheLockFileIsWritableByWhoeverMayWriteTheFolder) {
  const std::pair<unsigned, unsigned> cases[] = {{0755, 0600}, {02775, 0660}, {0777, 0666}, {0700, 0600}};
  for (const auto& [folderMode, lockMode] : cases) {
    TestSupport::TTempFolder folder;
    chmod(folder.Path().c_str(), folderMode);
    TFolderLock lock;
    lock.Take(folder.Path() + "/");
    EXPECT_EQ(TestSupport::PermissionBits(folder / "tallyvane.lock"), lockMode) << std::oct << folderMode;
  }
}

}  // namespace
