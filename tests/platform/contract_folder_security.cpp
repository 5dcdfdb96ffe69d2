// What folderSecurity promises on both backends: a folder answers with its owner's name, while a
// missing path or a file answers nothing. (What the owner and the DACL are after the program folder
// made a folder private is checked on the simulated machine only: Wine keeps no descriptors.)
#include <gtest/gtest.h>

#include <string>

#include "platform/files.h"
#include "platform/folder_security.h"
#include "platform/scene.h"

namespace vx {
namespace {

TEST(FolderSecurityContract, AFolderHasAnOwnerAndNothingElseAnswers) {
  scene::reset();
  const std::wstring scratch = scene::scratchFolder();
  const auto folder = folderSecurity(scratch);
  ASSERT_TRUE(folder.has_value());
  EXPECT_FALSE(folder->owner.empty());

  const std::wstring file = joinPath(scratch, L"file");
  ASSERT_TRUE(writeFileBytes(file, "x"));
  EXPECT_FALSE(folderSecurity(file).has_value()) << "a file is not a folder";
  EXPECT_FALSE(folderSecurity(joinPath(scratch, L"missing")).has_value());
}

}  // namespace
}  // namespace vx
