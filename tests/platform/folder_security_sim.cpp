// Reading back what the program folder set, on the simulated machine: Windows keeps the owner and
// DACL that ensurePrivateFolder wrote; Wine does not, so this cannot run under Wine.
#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/folder_security.h"
#include "platform/program_folder.h"
#include "support/sim_test.h"

namespace vx {
namespace {

using FolderSecuritySim = test::SimTest;

TEST_F(FolderSecuritySim, AUsersFolderBecomesTheAdministratorsAfterTheTakeOver) {
  const std::wstring folder = L"C:\\ProgramData\\Vantorix";
  ASSERT_TRUE(createDirectories(folder));
  machine.setFileSecurity(folder, L"PC\\player", true);
  const auto before = folderSecurity(folder);
  ASSERT_TRUE(before.has_value());
  EXPECT_EQ(before->owner, L"PC\\player");
  EXPECT_FALSE(before->ownerIsAdministrators);
  EXPECT_TRUE(before->usersMayWrite);

  ASSERT_TRUE(ensurePrivateFolder(folder));
  const auto after = folderSecurity(folder);
  ASSERT_TRUE(after.has_value());
  EXPECT_TRUE(after->ownerIsAdministrators);
  EXPECT_FALSE(after->usersMayWrite);
}

}  // namespace
}  // namespace vx
