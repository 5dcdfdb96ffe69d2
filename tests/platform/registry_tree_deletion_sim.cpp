// Deleting a key tree on the simulated machine when part of it refuses: RegDeleteTreeW stops at a
// subkey it may not open or change, so the call fails and the tree stays.
#include <gtest/gtest.h>

#include "platform/registry.h"
#include "support/sim_test.h"

namespace vx {
namespace {

using RegistryTreeDeletionSim = test::SimTest;

TEST_F(RegistryTreeDeletionSim, ARefusingSubkeyKeepsTheTreeAndFails) {
  const std::wstring tree = L"Software\\Vantorix\\SelfTest";
  for (const bool denyRead : {true, false}) {
    machine.reset();
    machine.setDword(RegRoot::CurrentUser, tree + L"\\locked", L"v", 1);
    if (denyRead) {
      machine.denyKeyAccess(RegRoot::CurrentUser, tree + L"\\locked");
    } else {
      machine.denyKeyWrites(RegRoot::CurrentUser, tree + L"\\locked");
    }
    EXPECT_FALSE(regDeleteKeyTree(RegRoot::CurrentUser, tree)) << denyRead;
    EXPECT_TRUE(machine.keyExists(RegRoot::CurrentUser, tree + L"\\locked")) << denyRead;
  }
}

}  // namespace
}  // namespace vx
