// Environment variables as game discovery reads them: a value counts as set only when it has 1 to
// 259 characters (it then fits a 260-character buffer with its terminator).
#pragma once
#include <optional>
#include <string>

namespace vx {

std::optional<std::wstring> gameEnvironmentValue(const std::wstring& name);

}  // namespace vx
