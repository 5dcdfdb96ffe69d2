// What the cleanup's file operations promise, on both backends: listings report the read-only
// flag, a read-only file resists a plain delete but not removeFileClearingReadOnly, a file held
// open elsewhere survives both (and keeps its flag), and only an empty real folder is removed,
// never a link.
#include <gtest/gtest.h>

#include <string>

#include "platform/files.h"
#include "platform/scene.h"

namespace vx {
namespace {

class FileRemovalContract : public ::testing::Test {
 protected:
  void SetUp() override {
    scene::reset();
    folder = scene::scratchFolder();
  }
  std::wstring path(const std::wstring& name) const { return joinPath(folder, name); }
  bool exists(const std::wstring& p) const { return fileStatus(p).kind != FileKind::Missing; }

  std::wstring folder;
};

TEST_F(FileRemovalContract, ReadOnlyFileIsDeletedOnlyAfterItsFlagIsCleared) {
  const std::wstring file = path(L"ro.txt");
  ASSERT_TRUE(writeFileBytes(file, "abc"));
  ASSERT_TRUE(scene::makeReadOnly(file));
  const auto entries = listDirectory(folder);
  ASSERT_TRUE(entries && entries->size() == 1);
  EXPECT_TRUE((*entries)[0].readOnly);
  EXPECT_EQ((*entries)[0].size, 3u);

  EXPECT_FALSE(removeFile(file)) << "DeleteFileW refuses a read-only file";
  EXPECT_TRUE(exists(file));
  EXPECT_TRUE(removeFileClearingReadOnly(file));
  EXPECT_FALSE(exists(file));
  EXPECT_FALSE(removeFileClearingReadOnly(file)) << "nothing left to delete";
}

TEST_F(FileRemovalContract, FileHeldOpenSurvivesAndKeepsItsReadOnlyFlag) {
  const std::wstring file = path(L"busy.txt");
  ASSERT_TRUE(writeFileBytes(file, "abc"));
  ASSERT_TRUE(scene::makeReadOnly(file));
  {
    const auto held = scene::holdOpen(file);
    ASSERT_TRUE(held);
    EXPECT_FALSE(removeFileClearingReadOnly(file));
    EXPECT_TRUE(exists(file));
    EXPECT_TRUE(scene::isReadOnly(file)) << "the flag is put back when the delete fails";
  }
  EXPECT_TRUE(removeFileClearingReadOnly(file)) << "released, it can go";
}

TEST_F(FileRemovalContract, PlainFileAndFolderAreTellApart) {
  ASSERT_TRUE(writeFileBytes(path(L"plain.txt"), "x"));
  ASSERT_TRUE(createDirectories(path(L"dir")));
  EXPECT_FALSE(removeFileClearingReadOnly(path(L"dir"))) << "folders are never deleted as files";
  EXPECT_FALSE(removeEmptyDirectory(path(L"plain.txt")));
  EXPECT_TRUE(removeFileClearingReadOnly(path(L"plain.txt")));
  EXPECT_TRUE(exists(path(L"dir")));
}

TEST_F(FileRemovalContract, OnlyAnEmptyRealFolderIsRemoved) {
  ASSERT_TRUE(createDirectories(path(L"full\\inner")));
  EXPECT_FALSE(removeEmptyDirectory(path(L"full")));
  EXPECT_TRUE(exists(path(L"full\\inner")));
  EXPECT_TRUE(removeEmptyDirectory(path(L"full\\inner")));
  EXPECT_TRUE(removeEmptyDirectory(path(L"full")));
  EXPECT_FALSE(exists(path(L"full")));
  EXPECT_FALSE(removeEmptyDirectory(path(L"missing")));
}

TEST_F(FileRemovalContract, LinkIsNeverRemovedAndItsTargetKeepsItsFiles) {
  const std::wstring target = scene::scratchFolder();
  const std::wstring empty = joinPath(target, L"empty");
  ASSERT_TRUE(createDirectories(empty));
  ASSERT_TRUE(writeFileBytes(joinPath(target, L"keep.txt"), "k"));
  if (!scene::makeDirectoryLink(path(L"to-target"), target)) GTEST_SKIP() << "no directory links here";
  if (!scene::makeDirectoryLink(path(L"to-empty"), empty)) GTEST_SKIP() << "no directory links here";

  EXPECT_FALSE(removeEmptyDirectory(path(L"to-target")));
  EXPECT_FALSE(removeEmptyDirectory(path(L"to-empty"))) << "even a link to an empty folder";
  EXPECT_TRUE(fileStatus(path(L"to-empty")).isLink);
  EXPECT_TRUE(exists(empty)) << "the link's target is still there";
  EXPECT_EQ(readFileBytes(joinPath(target, L"keep.txt")), std::string("k"));
}

}  // namespace
}  // namespace vx
