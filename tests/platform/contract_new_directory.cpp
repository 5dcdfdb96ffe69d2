// What createNewDirectory promises on both backends: it reports Created only for a folder it made
// itself, so callers that must not share a folder (backup runs) can rely on it.
#include <gtest/gtest.h>

#include <string>

#include "platform/files.h"
#include "platform/scene.h"

namespace vx {
namespace {

TEST(NewDirectoryContract, CreatedOnlyOnceThenAlreadyExists) {
  scene::reset();
  const std::wstring scratch = scene::scratchFolder();
  const std::wstring folder = joinPath(scratch, L"run");
  EXPECT_EQ(createNewDirectory(folder), NewFolder::Created);
  EXPECT_EQ(fileStatus(folder).kind, FileKind::Directory);
  EXPECT_EQ(createNewDirectory(folder), NewFolder::AlreadyExists);

  const std::wstring file = joinPath(scratch, L"file");
  ASSERT_TRUE(writeFileBytes(file, "x"));
  EXPECT_EQ(createNewDirectory(file), NewFolder::AlreadyExists);  // a file of that name counts too
  EXPECT_EQ(readFileBytes(file), std::string("x"));
}

TEST(NewDirectoryContract, MissingParentFails) {
  scene::reset();
  const std::wstring folder = joinPath(scene::scratchFolder(), L"no\\such\\parent");
  EXPECT_EQ(createNewDirectory(folder), NewFolder::Failed);
  EXPECT_EQ(fileStatus(folder).kind, FileKind::Missing);
}

}  // namespace
}  // namespace vx
