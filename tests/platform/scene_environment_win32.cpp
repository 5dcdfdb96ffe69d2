// The contract scene's environment variables on real Windows (and Wine): this process's own block.
#include <windows.h>

#include "platform/scene.h"

namespace vx::scene {

void setEnvironmentVariable(const std::wstring& name, const std::optional<std::wstring>& value) {
  SetEnvironmentVariableW(name.c_str(), value ? value->c_str() : nullptr);
}

}  // namespace vx::scene
