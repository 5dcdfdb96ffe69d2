// The shared fixture of the config-file tweak tests: a fresh simulated machine, the per-game group
// built as the catalogue builds it, and the player's local application data folder.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "core/catalog.h"
#include "games/game_discovery.h"
#include "games/game_groups.h"
#include "platform/system.h"
#include "support/sim_test.h"

namespace vx::test {

inline constexpr const wchar_t* kPlayerLocalAppData = L"C:\\Users\\Player\\AppData\\Local";

class ConfigTweakTest : public SimTest {
 protected:
  // The tweak as the group builds it on the machine as it is now.
  TweakPtr gameTweak(const std::wstring& id) {
    catalog.clear();
    appendPerGameGroup(catalog, discovery);
    for (const TweakPtr& t : catalog)
      if (t->id == id) return t;
    ADD_FAILURE() << "no tweak " << toUtf8Id(id);
    return nullptr;
  }
  static std::string toUtf8Id(const std::wstring& id) { return std::string(id.begin(), id.end()); }

  GameDiscovery discovery{steadyNanoseconds};
  TweakCatalog catalog;
};

}  // namespace vx::test
