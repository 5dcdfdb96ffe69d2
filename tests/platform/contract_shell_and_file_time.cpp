// What opening with the shell and reading write times promise, on both backends: a file that is
// not there cannot be opened while a folder that is there can, and a write time exists exactly for what exists and does not go
// backwards when the file is written again.
#include <gtest/gtest.h>

#include "platform/file_time.h"
#include "platform/files.h"
#include "platform/scene.h"
#include "platform/shell.h"

namespace vx {
namespace {

TEST(ShellContract, OpeningAMissingFileFails) {
  scene::reset();
  const std::wstring folder = scene::scratchFolder();
  EXPECT_FALSE(shellOpen(joinPath(folder, L"no-such-program.exe")));
}

// Through the desktop shell's process or, failing that, ShellExecuteW in this one.
TEST(ShellContract, AnExistingFolderOpens) {
  scene::reset();
  const std::wstring folder = joinPath(scene::scratchFolder(), L"Backups");
  ASSERT_TRUE(createDirectories(folder));
  EXPECT_TRUE(shellOpen(folder));
}

TEST(FileTimeContract, ExistsForFilesAndFoldersOnlyAndMovesForward) {
  scene::reset();
  const std::wstring folder = scene::scratchFolder();
  const std::wstring file = joinPath(folder, L"game.exe");
  EXPECT_FALSE(fileWriteTime(file).has_value());
  ASSERT_TRUE(writeFileBytes(file, "one"));
  const auto first = fileWriteTime(file);
  ASSERT_TRUE(first.has_value());
  EXPECT_TRUE(fileWriteTime(folder).has_value());

  scene::waitMs(50);
  ASSERT_TRUE(writeFileBytes(file, "two"));
  const auto second = fileWriteTime(file);
  ASSERT_TRUE(second.has_value());
  EXPECT_GE(*second, *first);
}

}  // namespace
}  // namespace vx
