// A positive whole number as typed on vxctl's command line ("vxctl history 5", "--run 12"):
// decimal digits only, 1 to 999999999. Nothing for any other text.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace vx::cli {

std::optional<std::uint32_t> positiveNumber(const std::wstring& text);

}  // namespace vx::cli
