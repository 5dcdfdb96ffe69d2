#include "base/number_format.h"

namespace vx {

std::wstring formatGrouped(std::uint64_t value) {
  const std::wstring digits = std::to_wstring(value);
  std::wstring grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped.push_back(L' ');
    grouped.push_back(digits[i]);
  }
  return grouped;
}

}  // namespace vx
