// What the token operations promise, on both backends: a process that runs elevated can enable
// the two privileges the program needs, and enabling one twice is still a success.
#include <gtest/gtest.h>

#include "platform/privileges.h"
#include "platform/scene.h"

namespace vx {
namespace {

TEST(TokenContract, AnElevatedProcessEnablesThePrivilegesItHolds) {
  scene::reset();
  // The tests run elevated: under Wine every process is, and the simulated machine starts so.
  ASSERT_TRUE(processIsElevated());
  for (const Privilege privilege : {Privilege::ProfileSingleProcess, Privilege::TakeOwnership}) {
    EXPECT_TRUE(enablePrivilege(privilege)) << static_cast<int>(privilege);
    EXPECT_TRUE(enablePrivilege(privilege)) << "again: " << static_cast<int>(privilege);
  }
}

}  // namespace
}  // namespace vx
