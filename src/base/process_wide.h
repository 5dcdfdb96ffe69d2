// Process-wide objects (state cache, path cache, booster, monitor, assistant memory) are created on
// first use and never destroyed: a detached job may still use one while the process ends, after
// static destructors have run.
#pragma once
#include <memory>

namespace vx {

template <typename T>
T& processWide() {
  static T* const object = std::make_unique<T>().release();  // deliberately never freed
  return *object;
}

}  // namespace vx
