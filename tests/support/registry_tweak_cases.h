// Table-driven check of registry tweaks on the simulated machine. Each row names a tweak and the
// values its apply writes and its revert leaves, as text: "dword:N", "sz:text" or "absent", so one
// table can hold DWORDs, strings and deleted values alike.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/tweak.h"
#include "platform/sim/machine.h"

namespace vx::test {

struct WrittenValue {
  RegRoot root;
  std::wstring key, name, applied, afterRevert;
};

struct RegistryTweakCase {
  const char* name;
  std::function<std::unique_ptr<Tweak>()> make;
  std::vector<WrittenValue> values;
};

inline std::wstring shownValue(RegRoot root, const std::wstring& key, const std::wstring& name) {
  const sim::Machine& m = sim::machine();
  const auto v = m.value(root, key, name);
  if (!v) return L"absent";
  if (v->type == sim::RegType::Dword) return L"dword:" + std::to_wstring(*m.dword(root, key, name));
  if (v->type == sim::RegType::Sz) return L"sz:" + *m.string(root, key, name);
  return L"other";
}

// On a machine reset to its defaults: NotApplied, apply writes every value, Applied, revert
// leaves the listed values, NotApplied again.
inline void expectApplyAndRevert(const RegistryTweakCase& c) {
  SCOPED_TRACE(c.name);
  sim::machine().reset();
  auto tweak = c.make();
  EXPECT_EQ(tweak->queryState(), TweakState::NotApplied);
  ASSERT_TRUE(tweak->apply());
  for (const WrittenValue& w : c.values) EXPECT_EQ(shownValue(w.root, w.key, w.name), w.applied) << w.name;
  EXPECT_EQ(tweak->queryState(), TweakState::Applied);
  EXPECT_TRUE(tweak->revert());
  for (const WrittenValue& w : c.values) EXPECT_EQ(shownValue(w.root, w.key, w.name), w.afterRevert) << w.name;
  EXPECT_EQ(tweak->queryState(), TweakState::NotApplied);
}

}  // namespace vx::test
