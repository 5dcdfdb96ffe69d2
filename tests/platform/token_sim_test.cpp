// The simulated token refuses what Windows refuses: a process that is not elevated cannot enable a
// privilege, and dropping elevation drops what was enabled.
#include <gtest/gtest.h>

#include "platform/privileges.h"
#include "platform/sim/machine.h"

namespace vx {
namespace {

TEST(SimulatedToken, OnlyAnElevatedProcessEnablesPrivileges) {
  auto& m = sim::machine();
  m.reset();
  EXPECT_FALSE(m.privilegeEnabled(Privilege::ProfileSingleProcess)) << "held but disabled at start";
  ASSERT_TRUE(enablePrivilege(Privilege::ProfileSingleProcess));
  EXPECT_TRUE(m.privilegeEnabled(Privilege::ProfileSingleProcess));
  EXPECT_FALSE(m.privilegeEnabled(Privilege::TakeOwnership));

  m.setElevated(false);
  EXPECT_FALSE(processIsElevated());
  EXPECT_FALSE(m.privilegeEnabled(Privilege::ProfileSingleProcess));
  EXPECT_FALSE(enablePrivilege(Privilege::TakeOwnership));
  EXPECT_FALSE(m.privilegeEnabled(Privilege::TakeOwnership));
  m.reset();
}

}  // namespace
}  // namespace vx
