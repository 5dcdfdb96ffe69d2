// What the file operations of the config-file tweaks and the change lock promise, on both
// backends: a new file is never written over something already there (also when it is moved in
// whole), the read-only flag is set
// and cleared, a path through a folder link resolves to where it leads, and the change lock is
// its holder's (recursive) while another thread cannot take it.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "base/text.h"
#include "platform/change_lock.h"
#include "platform/files.h"
#include "platform/scene.h"

namespace vx {
namespace {

class ConfigFilesContract : public ::testing::Test {
 protected:
  void SetUp() override {
    scene::reset();
    folder = scene::scratchFolder();
  }
  std::wstring folder;
};

TEST_F(ConfigFilesContract, NewFileIsNeverWrittenOverAnExistingOne) {
  const std::wstring path = joinPath(folder, L"client.cfg.vx.bak");
  ASSERT_TRUE(writeNewFile(path, "first"));
  EXPECT_FALSE(writeNewFile(path, "second"));
  EXPECT_EQ(readFileBytes(path), "first");
}

// The backup's way in: written aside, then moved under the name without replacing. Whatever
// is already there (a file, a read-only file, a folder, a folder link) stays untouched, and no
// temporary file is left either way.
TEST_F(ConfigFilesContract, NewFileMovedInWholeNeverReplacesWhatIsThere) {
  const std::wstring bak = joinPath(folder, L"client.cfg.vx.bak");
  ASSERT_TRUE(writeNewFileAtomic(bak, "first"));
  EXPECT_EQ(readFileBytes(bak), "first");
  EXPECT_FALSE(writeNewFileAtomic(bak, "second"));
  EXPECT_EQ(readFileBytes(bak), "first");

  const std::wstring locked = joinPath(folder, L"locked.cfg.vx.bak");
  ASSERT_TRUE(writeFileBytes(locked, "mine"));
  ASSERT_TRUE(setFileReadOnly(locked, true));
  EXPECT_FALSE(writeNewFileAtomic(locked, "other"));
  EXPECT_EQ(readFileBytes(locked), "mine");
  ASSERT_TRUE(setFileReadOnly(locked, false));

  const std::wstring taken = joinPath(folder, L"folder.cfg.vx.bak");
  ASSERT_TRUE(createDirectories(taken));
  EXPECT_FALSE(writeNewFileAtomic(taken, "x"));
  EXPECT_EQ(fileStatus(taken).kind, FileKind::Directory);

  const std::wstring target = joinPath(folder, L"elsewhere");
  ASSERT_TRUE(createDirectories(target));
  const std::wstring link = joinPath(folder, L"linked.cfg.vx.bak");
  if (scene::makeDirectoryLink(link, target)) {
    EXPECT_FALSE(writeNewFileAtomic(link, "x"));
    EXPECT_TRUE(fileStatus(link).isLink);
    EXPECT_EQ(listDirectory(target).value_or(std::vector<DirEntry>{1}).size(), 0u);
  }

  for (const DirEntry& e : listDirectory(folder).value_or(std::vector<DirEntry>{}))
    EXPECT_EQ(e.name.find(kAtomicWriteSuffix), std::wstring::npos) << "temporary file left: " << toUtf8(e.name);
}

TEST_F(ConfigFilesContract, ReadOnlyFlagIsSetAndCleared) {
  const std::wstring path = joinPath(folder, L"client.cfg");
  ASSERT_TRUE(writeFileBytes(path, "x"));
  EXPECT_FALSE(fileStatus(path).readOnly);
  ASSERT_TRUE(setFileReadOnly(path, true));
  EXPECT_TRUE(fileStatus(path).readOnly);
  EXPECT_TRUE(scene::isReadOnly(path));
  ASSERT_TRUE(setFileReadOnly(path, false));
  EXPECT_FALSE(fileStatus(path).readOnly);
  EXPECT_TRUE(writeFileAtomic(path, "y"));
  EXPECT_EQ(readFileBytes(path), "y");
}

TEST_F(ConfigFilesContract, FinalPathFollowsAFolderLink) {
  const std::wstring target = joinPath(folder, L"real");
  ASSERT_TRUE(createDirectories(target));
  ASSERT_TRUE(writeFileBytes(joinPath(target, L"client.cfg"), "x"));
  const auto plain = finalFilePath(joinPath(target, L"client.cfg"));
  ASSERT_TRUE(plain);
  EXPECT_TRUE(equalsFolded(*plain, joinPath(target, L"client.cfg"))) << toUtf8(*plain);
  EXPECT_FALSE(finalFilePath(joinPath(folder, L"missing.cfg")));
  const std::wstring link = joinPath(folder, L"linked");
  if (!scene::makeDirectoryLink(link, target)) GTEST_SKIP() << "no links here";
  const auto followed = finalFilePath(joinPath(link, L"client.cfg"));
  ASSERT_TRUE(followed);
  EXPECT_TRUE(equalsFolded(*followed, joinPath(target, L"client.cfg"))) << toUtf8(*followed);
}

TEST(ChangeLockContract, HolderMayRetakeItAnotherThreadCannot) {
  ASSERT_TRUE(acquireChangeLock(0));
  ASSERT_TRUE(acquireChangeLock(0));
  bool other = true;
  std::thread([&] { other = acquireChangeLock(30); }).join();
  EXPECT_FALSE(other);
  releaseChangeLock();
  releaseChangeLock();
  std::thread([&] {
    other = acquireChangeLock(0);
    if (other) releaseChangeLock();
  }).join();
  EXPECT_TRUE(other);
}

}  // namespace
}  // namespace vx
