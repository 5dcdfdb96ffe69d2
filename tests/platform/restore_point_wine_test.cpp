// The restore-point call against the real SrClient.dll as Wine 8 provides it: the library and
// its export are found, the preparation runs once before the first call, and Wine's
// SRSetRestorePointW, a stub that returns FALSE, must be reported as a failure, never as created.
#include <gtest/gtest.h>

#include "platform/restore_point.h"

namespace vx {
namespace {

TEST(RestorePointWine, FindsTheLibraryPreparesOnceAndReportsTheRefusal) {
  int preparations = 0;
  // Longer than the 255 characters the description field holds.
  const std::wstring description = L"Vantorix: " + std::wstring(300, L'x');
  EXPECT_EQ(setSystemRestorePoint(description, [&] { ++preparations; }), RestorePointOutcome::Failed);
  EXPECT_EQ(preparations, 1) << "the preparation runs once the function is found, whatever the call answers";
}

TEST(RestorePointWine, AcceptsAnEmptyPreparationStep) {
  EXPECT_EQ(setSystemRestorePoint(L"Vantorix: test", {}), RestorePointOutcome::Failed);
}

}  // namespace
}  // namespace vx
