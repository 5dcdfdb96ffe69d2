// What the process-wide COM set-up promises, on both backends: its first call sets COM up and
// later calls answer the same. It runs on a thread of its own, which keeps its apartment.
// (The timer opt-out of power throttling has no contract here: Wine answers FALSE for
// ProcessPowerThrottling, which only Windows 10 1709 and later know.)
#include <gtest/gtest.h>

#include <thread>

#include "platform/com.h"
#include "platform/scene.h"

namespace vx {
namespace {

TEST(ProcessSetupContract, ComIsSetUpOnceAndLaterCallsAnswerTheSame) {
  scene::reset();
  bool first = false;
  bool second = false;
  std::thread([&] {
    first = initialiseProcessCom(ComModel::MultiThreaded);
    second = initialiseProcessCom(ComModel::ApartmentThreaded);
  }).join();
  EXPECT_TRUE(first);
  EXPECT_EQ(second, first);
}

}  // namespace
}  // namespace vx
