#include "base/number_format.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace vx {
namespace {

TEST(FormatGrouped, BlanksBetweenGroupsOfThreeFromTheRight) {
  const std::pair<std::uint64_t, const wchar_t*> cases[] = {
      {0, L"0"},
      {999, L"999"},
      {1000, L"1 000"},
      {12345, L"12 345"},
      {1234567, L"1 234 567"},
      {100000, L"100 000"},
      {18446744073709551615ULL, L"18 446 744 073 709 551 615"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(formatGrouped(value), text) << value;
}

}  // namespace
}  // namespace vx
