// The private program folder against the real security calls under Wine: a new folder is created
// with its descriptor, an existing one with a file and a folder link inside is taken over (the
// calls succeed although Wine keeps no descriptor) without touching what the link points to, and
// a folder that is itself a link is refused.
#include "platform/program_folder.h"

#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/scene.h"

namespace vx {
namespace {

TEST(ProgramFolderWine, CreatedTakenOverOrRefused) {
  scene::reset();
  const std::wstring base = scene::scratchFolder();
  const std::wstring fresh = joinPath(base, L"Fresh");
  EXPECT_TRUE(ensurePrivateFolder(fresh));
  EXPECT_EQ(fileStatus(fresh).kind, FileKind::Directory);
  EXPECT_TRUE(ensurePrivateFolder(fresh)) << "taking over our own folder again succeeds";

  const std::wstring existing = joinPath(base, L"Existing");
  const std::wstring outside = joinPath(base, L"Outside");
  ASSERT_TRUE(createDirectories(joinPath(existing, L"Backups\\old")));
  ASSERT_TRUE(createDirectories(outside));
  ASSERT_TRUE(writeFileBytes(joinPath(existing, L"memory.json"), "{}"));
  ASSERT_TRUE(writeFileBytes(joinPath(outside, L"keep.txt"), "keep"));
  const bool linked = scene::makeDirectoryLink(joinPath(existing, L"Backups\\old\\out"), outside);
  EXPECT_TRUE(ensurePrivateFolder(existing));
  EXPECT_EQ(readFileBytes(joinPath(existing, L"memory.json")), "{}");
  EXPECT_EQ(readFileBytes(joinPath(outside, L"keep.txt")), "keep");

  if (!linked || !scene::makeDirectoryLink(joinPath(base, L"Linked"), outside)) GTEST_SKIP() << "no links here";
  EXPECT_FALSE(ensurePrivateFolder(joinPath(base, L"Linked")));
  EXPECT_FALSE(ensurePrivateFolder(joinPath(existing, L"memory.json"))) << "a file is no folder";
}

}  // namespace
}  // namespace vx
