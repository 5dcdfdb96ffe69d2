// Shorthands for the recommendation and score tests: fake tweaks (tests/support/fake_tweak.h) with
// a chosen id, state and aggressiveness, and whole catalogues of them.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "support/fake_tweak.h"

namespace vx::hwtest {

inline std::shared_ptr<test::FakeTweak> fake(std::wstring id, TweakState state, bool aggressive = false) {
  auto tweak = test::makeFake(std::move(id));
  tweak->state = state;
  tweak->aggressive = aggressive;
  return tweak;
}

// One fake tweak per id, all in the same state.
inline TweakCatalog fakeCatalog(const std::vector<std::wstring>& ids, TweakState state) {
  TweakCatalog catalog;
  for (const std::wstring& id : ids) catalog.push_back(fake(id, state));
  return catalog;
}

}  // namespace vx::hwtest
