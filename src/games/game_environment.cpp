#include "games/game_environment.h"

#include "base/text.h"
#include "platform/system.h"

namespace vx {

std::optional<std::wstring> gameEnvironmentValue(const std::wstring& name) {
  auto value = environmentVariable(name);
  if (!value || value->empty() || utf16Length(*value) > 259) return std::nullopt;
  return value;
}

}  // namespace vx
