// The mitigation field positions the portable game code keeps, held against the SDK's
// PROCESS_CREATION_MITIGATION_POLICY_* constants (Windows only: they come from <windows.h>).
#include <gtest/gtest.h>
#include <windows.h>

#include "games/mitigation_options.h"

namespace vx {
namespace {

using namespace vx::mitigation;

static_assert((kAlwaysOff << kControlFlowGuardShift) == PROCESS_CREATION_MITIGATION_POLICY_CONTROL_FLOW_GUARD_ALWAYS_OFF);
static_assert((0x3ULL << kControlFlowGuardShift) == PROCESS_CREATION_MITIGATION_POLICY_CONTROL_FLOW_GUARD_MASK);
static_assert((kAlwaysOff << kForceRelocateImagesShift) ==
              PROCESS_CREATION_MITIGATION_POLICY_FORCE_RELOCATE_IMAGES_ALWAYS_OFF);
static_assert((kAlwaysOff << kBottomUpAslrShift) == PROCESS_CREATION_MITIGATION_POLICY_BOTTOM_UP_ASLR_ALWAYS_OFF);

TEST(MitigationLayout, GameOffWordIsTheThreeSdkAlwaysOffFlags) {
  const std::uint64_t sdk = PROCESS_CREATION_MITIGATION_POLICY_CONTROL_FLOW_GUARD_ALWAYS_OFF |
                            PROCESS_CREATION_MITIGATION_POLICY_FORCE_RELOCATE_IMAGES_ALWAYS_OFF |
                            PROCESS_CREATION_MITIGATION_POLICY_BOTTOM_UP_ASLR_ALWAYS_OFF;
  EXPECT_EQ(gameOffWord(), sdk);
  // Win32k system-call blocking, which would keep a game from drawing, stays with the system.
  EXPECT_EQ(gameOffWord() & PROCESS_CREATION_MITIGATION_POLICY_WIN32K_SYSTEM_CALL_DISABLE_MASK, 0u);
}

}  // namespace
}  // namespace vx
