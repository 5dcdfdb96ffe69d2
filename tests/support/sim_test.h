// The fixture of native tests that run on the simulated machine: every test starts on a fresh
// default machine (its defaults are listed at the top of src/platform/sim/machine.cpp).
#pragma once
#include <gtest/gtest.h>

#include "platform/sim/machine.h"

namespace vx::test {

class SimTest : public ::testing::Test {
 protected:
  void SetUp() override { machine.reset(); }

  sim::Machine& machine = sim::machine();
};

}  // namespace vx::test
