#include "cli/whole_number.h"

namespace vx::cli {

std::optional<std::uint32_t> positiveNumber(const std::wstring& text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  std::uint32_t value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    value = value * 10 + static_cast<std::uint32_t>(c - L'0');
  }
  if (value == 0) return std::nullopt;
  return value;
}

}  // namespace vx::cli
