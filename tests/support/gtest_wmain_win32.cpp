// Entry point of the Windows test binary. The Windows targets link with -municode, so the C
// runtime starts at wmain and the plain main() of gtest_main would never be reached.
#include <gtest/gtest.h>

int wmain(int argc, wchar_t** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
