// What the process-wide set-up operations promise, on both backends: COM for the process is set
// up by its first call and later calls answer the same, and the timer requests can be kept out of
// power throttling. The COM call runs on a thread of its own, which keeps its apartment.
#include <gtest/gtest.h>

#include <thread>

#include "platform/com.h"
#include "platform/performance.h"
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

TEST(ProcessSetupContract, TimerRequestsCanBeKeptWhenHidden) {
  scene::reset();
  EXPECT_TRUE(keepTimerRequestsWhenHidden());
}

}  // namespace
}  // namespace vx
