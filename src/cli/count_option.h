// The optional "--NAME N" of the foreground verbs (vxctl monitor --samples N, vxctl boost
// --seconds N): a whole number from 1 to 86400.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vx::cli {

struct CountOption {
  bool valid = true;                   // false: other words, or N missing or out of range
  std::optional<std::uint32_t> value;  // nothing when the option was not given
};

CountOption parseCountOption(const std::vector<std::wstring>& args, const std::wstring& name);

}  // namespace vx::cli
