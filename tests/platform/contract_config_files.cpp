// What the file operations of the config-file tweaks and the change lock promise, on both
// backends: a new file is never written over something already there, the read-only flag is set
// and cleared, a path through a folder link resolves to where it leads, and the change lock is
// its holder's (recursive) while another thread cannot take it.
#include <gtest/gtest.h>

#include <string>
#include <thread>

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
