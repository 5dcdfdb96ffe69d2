// Numbers as the interface shows them: decimal digits in groups of three separated by a blank
// ("1 234 567"). Used by the maintenance results and the home page texts.
#pragma once
#include <cstdint>
#include <string>

namespace vx {

std::wstring formatGrouped(std::uint64_t value);

}  // namespace vx
