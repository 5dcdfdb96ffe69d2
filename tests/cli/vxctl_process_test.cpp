// vxctl's process set-up on the simulated machine: COM for the whole process in the
// multithreaded model (restore points need its security), made once before any verb runs.
#include <gtest/gtest.h>

#include "cli/vxctl_process.h"
#include "support/sim_test.h"

namespace vx {
namespace {

using VxctlProcessTest = test::SimTest;

TEST_F(VxctlProcessTest, SetsUpComForTheProcessInTheMultithreadedModel) {
  ASSERT_FALSE(machine.processComModel().has_value());
  cli::prepareVxctlProcess();
  EXPECT_EQ(machine.processComModel(), ComModel::MultiThreaded);
  EXPECT_EQ(machine.processComCalls(), 1u);
}

}  // namespace
}  // namespace vx
