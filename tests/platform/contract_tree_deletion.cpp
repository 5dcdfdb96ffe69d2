// What the handle-based deletion and the bounded read promise, on both backends: the folder's
// files are deleted and counted with their sizes (a read-only one too, unless the rules keep
// read-only files), a file held open elsewhere stays and counts as failed, a folder link inside is
// neither entered nor removed, the rules' depth and folder removal are kept, and a folder that is
// missing or itself a link yields nothing. A bounded read tells a file over its limit apart from
// one it cannot read.
#include <gtest/gtest.h>

#include <string>

#include "platform/files.h"
#include "platform/scene.h"

namespace vx {
namespace {

class TreeDeletionContract : public ::testing::Test {
 protected:
  void SetUp() override {
    scene::reset();
    folder = joinPath(scene::scratchFolder(), L"Temp");
    outside = joinPath(scene::scratchFolder(), L"outside");
    ASSERT_TRUE(createDirectories(joinPath(folder, L"sub\\deeper")));
    ASSERT_TRUE(createDirectories(outside));
    ASSERT_TRUE(writeFileBytes(joinPath(folder, L"a.tmp"), std::string(100, 'a')));
    ASSERT_TRUE(writeFileBytes(joinPath(folder, L"sub\\b.tmp"), std::string(20, 'b')));
    ASSERT_TRUE(writeFileBytes(joinPath(folder, L"sub\\deeper\\c.tmp"), std::string(3, 'c')));
    ASSERT_TRUE(writeFileBytes(joinPath(folder, L"ro.tmp"), std::string(7, 'r')));
    ASSERT_TRUE(scene::makeReadOnly(joinPath(folder, L"ro.tmp")));
    ASSERT_TRUE(writeFileBytes(joinPath(outside, L"keep.txt"), "keep"));
  }
  bool exists(const std::wstring& p) const { return fileStatus(p).kind != FileKind::Missing; }

  std::wstring folder, outside;
};

TEST_F(TreeDeletionContract, DeletesAndCountsEverythingButLinksAndKeepsTheFolder) {
  if (!scene::makeDirectoryLink(joinPath(folder, L"sub\\link-out"), outside)) GTEST_SKIP() << "no links here";
  const auto result = deleteFolderContents(folder);
  ASSERT_TRUE(result);
  EXPECT_EQ(*result, (TreeDeletion{4, 130, 0})) << "a, b, c and the read-only file";
  EXPECT_TRUE(exists(folder));
  EXPECT_FALSE(exists(joinPath(folder, L"a.tmp")));
  EXPECT_FALSE(exists(joinPath(folder, L"ro.tmp")));
  EXPECT_FALSE(exists(joinPath(folder, L"sub\\deeper"))) << "an emptied folder is removed";
  EXPECT_TRUE(fileStatus(joinPath(folder, L"sub\\link-out")).isLink) << "the link stays, so its folder stays";
  EXPECT_EQ(readFileBytes(joinPath(outside, L"keep.txt")), "keep");
}

TEST_F(TreeDeletionContract, RulesKeepFoldersReadOnlyFilesAndDepth) {
  struct Case {
    TreeDeletionRules rules;
    TreeDeletion expected;
    bool deeperStays;
  };
  const Case cases[] = {
      {{1 << 20, false, false}, {3, 123, 1}, true},  // files only: read-only counts as failed
      {{1, true, true}, {2, 107, 0}, true},           // the folder's own entries only
      {{2, true, true}, {3, 127, 0}, true},
  };
  for (const Case& c : cases) {
    SetUp();
    const auto result = deleteFolderContents(folder, c.rules);
    ASSERT_TRUE(result);
    EXPECT_EQ(*result, c.expected) << "depth " << c.rules.maxDepth;
    EXPECT_EQ(exists(joinPath(folder, L"sub\\deeper")), c.deeperStays);
    if (!c.rules.clearReadOnly) {
      EXPECT_TRUE(scene::isReadOnly(joinPath(folder, L"ro.tmp")));
    }
  }
}

TEST_F(TreeDeletionContract, FileHeldOpenStaysAndCountsAsFailed) {
  const std::wstring busy = joinPath(folder, L"sub\\b.tmp");
  const auto held = scene::holdOpen(busy);
  ASSERT_TRUE(held);
  const auto result = deleteFolderContents(folder);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->filesDeleted, 3u);
  EXPECT_EQ(result->failedDeletions, 1u);
  EXPECT_TRUE(exists(busy));
  EXPECT_TRUE(exists(joinPath(folder, L"sub"))) << "a folder that kept a file stays";
}

TEST_F(TreeDeletionContract, MissingFolderOrAFolderThatIsALinkYieldsNothing) {
  EXPECT_EQ(deleteFolderContents(joinPath(folder, L"nothing-here")), std::nullopt);
  EXPECT_EQ(deleteFolderContents(joinPath(folder, L"a.tmp")), std::nullopt) << "a file is no folder";
  const std::wstring link = joinPath(scene::scratchFolder(), L"linked-temp");
  if (!scene::makeDirectoryLink(link, outside)) GTEST_SKIP() << "no links here";
  EXPECT_EQ(deleteFolderContents(link), std::nullopt);
  EXPECT_EQ(readFileBytes(joinPath(outside, L"keep.txt")), "keep");
}

TEST_F(TreeDeletionContract, BoundedReadTellsTooLargeFromUnreadable) {
  const std::wstring file = joinPath(folder, L"a.tmp");  // 100 bytes
  const BoundedRead whole = readFileBounded(file, 100);
  EXPECT_EQ(whole.status, ReadStatus::Ok);
  EXPECT_EQ(whole.bytes, std::string(100, 'a'));
  const BoundedRead over = readFileBounded(file, 99);
  EXPECT_EQ(over.status, ReadStatus::TooLarge);
  EXPECT_TRUE(over.bytes.empty());
  EXPECT_EQ(readFileBounded(joinPath(folder, L"missing.tmp"), 100).status, ReadStatus::Unreadable);
  EXPECT_EQ(readFileBounded(joinPath(folder, L"sub"), 100).status, ReadStatus::Unreadable) << "a folder";
}

}  // namespace
}  // namespace vx
