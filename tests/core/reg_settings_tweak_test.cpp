// The registry row kind with the core rows' rule (every value decides) on the simulated machine: how
// stored values of every kind map to a state, that queries never write, and that apply and revert
// keep going past a failing entry.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/reg_settings_tweak.h"
#include "platform/registry.h"
#include "support/registry_row.h"
#include "support/sim_test.h"

namespace vx {
namespace {

using sim::RegType;
using test::SimTest;

constexpr auto HKLM = RegRoot::LocalMachine;
const std::wstring kKey = L"SOFTWARE\\VxTest\\Settings";

// One DWORD value, as a single-value core row.
std::unique_ptr<test::TestRegistryRow> makeTweak(bool deleteOnRevert, std::uint32_t applied = 1, std::uint32_t revert = 0) {
  return std::make_unique<test::TestRegistryRow>(
      L"test.value", std::vector{test::dwordValue(HKLM, kKey.c_str(), L"Value", applied, revert, deleteOnRevert)});
}

// What a scene stores under kKey\Value before the tweak is asked.
using Store = std::function<void(sim::Machine&)>;
const Store kNothing = [](sim::Machine&) {};
Store dword(std::uint32_t v) {
  return [v](sim::Machine& m) { m.setDword(HKLM, kKey, L"Value", v); };
}
Store raw(RegType type, std::vector<std::uint8_t> data) {
  return [type, data](sim::Machine& m) { m.setValue(HKLM, kKey, L"Value", type, data); };
}

using SingleValueRowTest = SimTest;  // one value

TEST_F(SingleValueRowTest, StoredValueDecidesTheState) {
  struct Case {
    const char* what;
    Store store;
    TweakState withDelete;     // deleteOnRevert: absence is the default
    TweakState withoutDelete;  // absence is not the default
  };
  const Case cases[] = {
      {"absent", kNothing, TweakState::NotApplied, TweakState::Undetermined},
      {"applied value", dword(1), TweakState::Applied, TweakState::Applied},
      {"revert value", dword(0), TweakState::NotApplied, TweakState::NotApplied},
      {"other value", dword(7), TweakState::NotApplied, TweakState::NotApplied},
      {"REG_SZ \"1\"", [](sim::Machine& m) { m.setString(HKLM, kKey, L"Value", L"1"); }, TweakState::NotApplied,
       TweakState::Undetermined},
      {"REG_QWORD 1", [](sim::Machine& m) { m.setQword(HKLM, kKey, L"Value", 1); }, TweakState::NotApplied,
       TweakState::Undetermined},
      {"two-byte DWORD", raw(RegType::Dword, {1, 0}), TweakState::NotApplied, TweakState::Undetermined},
      {"denied key", [](sim::Machine& m) { m.setDword(HKLM, kKey, L"Value", 1); m.denyKeyAccess(HKLM, kKey); },
       TweakState::NotApplied, TweakState::Undetermined},
  };
  for (const Case& c : cases) {
    machine.reset();
    c.store(machine);
    EXPECT_EQ(makeTweak(true)->queryState(), c.withDelete) << c.what;
    EXPECT_EQ(makeTweak(false)->queryState(), c.withoutDelete) << c.what;
    EXPECT_EQ(machine.registryWrites(), 0u) << c.what << ": a query wrote";
  }
}

TEST_F(SingleValueRowTest, ApplyWritesADwordThroughTheWholePath) {
  auto tweak = makeTweak(false, 0xFFFFFFFF, 10);
  machine.setString(HKLM, kKey, L"Value", L"-1");  // text in the way is replaced by a DWORD
  ASSERT_TRUE(tweak->apply());
  EXPECT_EQ(machine.dword(HKLM, kKey, L"Value"), 0xFFFFFFFFu);
  EXPECT_EQ(tweak->queryState(), TweakState::Applied);

  machine.reset();
  ASSERT_TRUE(tweak->apply()) << "no key on the path exists yet";
  EXPECT_EQ(machine.dword(HKLM, kKey, L"Value"), 0xFFFFFFFFu);
}

TEST_F(SingleValueRowTest, RevertDeletesOrWritesTheRevertValue) {
  auto deleting = makeTweak(true);
  EXPECT_TRUE(deleting->revert()) << "never applied: nothing to delete is success";
  EXPECT_FALSE(machine.keyExists(HKLM, kKey)) << "revert must not create the key";

  ASSERT_TRUE(deleting->apply());
  ASSERT_TRUE(deleting->revert());
  EXPECT_FALSE(machine.value(HKLM, kKey, L"Value").has_value());
  EXPECT_TRUE(machine.keyExists(HKLM, kKey));
  EXPECT_EQ(deleting->queryState(), TweakState::NotApplied);

  auto writing = makeTweak(false, 1, 5);
  ASSERT_TRUE(writing->apply());
  ASSERT_TRUE(writing->revert());
  EXPECT_EQ(machine.dword(HKLM, kKey, L"Value"), 5u);
  EXPECT_EQ(writing->queryState(), TweakState::NotApplied);
}

TEST_F(SingleValueRowTest, DeniedKeyMakesApplyAndRevertFail) {
  machine.setDword(HKLM, kKey, L"Value", 1);
  machine.denyKeyAccess(HKLM, kKey);
  EXPECT_FALSE(makeTweak(false)->apply());
  EXPECT_FALSE(makeTweak(false)->revert());
  EXPECT_FALSE(makeTweak(true)->revert()) << "the value is still there, so deleting did not succeed";
  EXPECT_EQ(machine.dword(HKLM, kKey, L"Value"), 1u);
}

// The type is the row's: a row with one REG_SZ value writes and reads text, never a DWORD.
TEST_F(SingleValueRowTest, ASingleTextValueStaysText) {
  test::TestRegistryRow tweak(L"test.text", {RegSetting{HKLM, kKey.c_str(), L"Value", textData(L"0"),
                                                        revertTo(textData(L"1")), kCheckEquals}});
  machine.setDword(HKLM, kKey, L"Value", 0);
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied) << "a DWORD 0 is not the text \"0\"";
  ASSERT_TRUE(tweak.apply());
  EXPECT_EQ(machine.string(HKLM, kKey, L"Value"), L"0");
  EXPECT_FALSE(machine.dword(HKLM, kKey, L"Value").has_value());
  EXPECT_EQ(tweak.queryState(), TweakState::Applied);
  ASSERT_TRUE(tweak.revert());
  EXPECT_EQ(machine.string(HKLM, kKey, L"Value"), L"1");
}

// --- several values --------------------------------------------------------------------------------

RegSetting entry(const wchar_t* name, bool deleteOnRevert, std::uint32_t applied = 1, std::uint32_t revert = 0,
                 const std::wstring& key = kKey) {
  return test::dwordValue(HKLM, key.c_str(), name, applied, revert, deleteOnRevert);
}

std::unique_ptr<test::TestRegistryRow> makeComposite(std::vector<RegSetting> entries) {
  return std::make_unique<test::TestRegistryRow>(L"test.group", std::move(entries));
}

using SeveralValuesRowTest = SimTest;  // several values

TEST_F(SeveralValuesRowTest, StateCombinesTheEntries) {
  // "Keep": absence is not the default. "Drop": reverted by deleting, absence is the default.
  struct Case {
    const char* what;
    std::optional<std::uint32_t> keep;
    std::optional<std::uint32_t> drop;
    TweakState expected;
  };
  const Case cases[] = {
      {"both applied", 1, 1, TweakState::Applied},
      {"both at their defaults", 0, std::nullopt, TweakState::NotApplied},
      {"both other values", 4, 4, TweakState::NotApplied},
      {"one applied, one deleted", 1, std::nullopt, TweakState::Undetermined},
      {"one applied, one other", 1, 0, TweakState::Undetermined},
      {"kept value absent", std::nullopt, 1, TweakState::Undetermined},
      {"everything absent", std::nullopt, std::nullopt, TweakState::Undetermined},
  };
  for (const Case& c : cases) {
    machine.reset();
    if (c.keep) machine.setDword(HKLM, kKey, L"Keep", *c.keep);
    if (c.drop) machine.setDword(HKLM, kKey, L"Drop", *c.drop);
    EXPECT_EQ(makeComposite({entry(L"Keep", false), entry(L"Drop", true)})->queryState(), c.expected) << c.what;
    EXPECT_EQ(makeComposite({entry(L"Drop", true), entry(L"Keep", false)})->queryState(), c.expected)
        << c.what << " (entries reversed)";
    EXPECT_EQ(machine.registryWrites(), 0u);
  }
}

TEST_F(SeveralValuesRowTest, AllAbsentAndDeletableIsNotAppliedAndEmptyIsUndetermined) {
  EXPECT_EQ(makeComposite({entry(L"A", true), entry(L"B", true)})->queryState(), TweakState::NotApplied);
  auto empty = makeComposite({});
  EXPECT_EQ(empty->queryState(), TweakState::Undetermined);
  EXPECT_TRUE(empty->apply());
  EXPECT_TRUE(empty->revert());
}

TEST_F(SeveralValuesRowTest, ReadingStopsAtAnAbsentValueThatHasNoDefault) {
  machine.setDword(HKLM, kKey, L"Second", 1);
  machine.setDword(HKLM, kKey, L"Third", 1);
  auto tweak = makeComposite({entry(L"First", false), entry(L"Second", true), entry(L"Third", true)});
  EXPECT_EQ(tweak->queryState(), TweakState::Undetermined);
  EXPECT_EQ(machine.registryReads(), 1u) << "nothing after the absent first entry is read";

  auto later = makeComposite({entry(L"Second", true), entry(L"First", false), entry(L"Third", true)});
  EXPECT_EQ(later->queryState(), TweakState::Undetermined);
  EXPECT_EQ(machine.registryReads(), 3u) << "one more read before the absent entry, none after";
}

TEST_F(SeveralValuesRowTest, ApplyAndRevertAttemptEveryEntry) {
  const std::wstring locked = L"SOFTWARE\\VxTest\\Locked";
  machine.denyKeyAccess(HKLM, locked);
  auto tweak = makeComposite({entry(L"A", false, 1, 10), entry(L"B", false, 1, 20, locked), entry(L"C", true, 1)});

  EXPECT_FALSE(tweak->apply()) << "one write failed";
  EXPECT_EQ(machine.dword(HKLM, kKey, L"A"), 1u);
  EXPECT_EQ(machine.dword(HKLM, kKey, L"C"), 1u) << "the entry after the failure was still written";
  EXPECT_EQ(tweak->queryState(), TweakState::Undetermined) << "partly applied: B cannot be read";

  EXPECT_FALSE(tweak->revert());
  EXPECT_EQ(machine.dword(HKLM, kKey, L"A"), 10u);
  EXPECT_FALSE(machine.value(HKLM, kKey, L"C").has_value()) << "the entry after the failure was still reverted";
}

TEST_F(SeveralValuesRowTest, RevertOfMixedEntriesEndsNotApplied) {
  // Two values removed on revert and one written back, across two keys.
  const std::wstring policies = L"SOFTWARE\\VxTest\\Policies";
  auto tweak = makeComposite(
      {entry(L"AllowX", true, 0, 0, policies), entry(L"AllowX", true, 0), entry(L"Enable", false, 0, 1, policies)});
  ASSERT_TRUE(tweak->apply());
  EXPECT_EQ(tweak->queryState(), TweakState::Applied);
  ASSERT_TRUE(tweak->revert());
  EXPECT_FALSE(machine.value(HKLM, policies, L"AllowX").has_value());
  EXPECT_FALSE(machine.value(HKLM, kKey, L"AllowX").has_value());
  EXPECT_EQ(machine.dword(HKLM, policies, L"Enable"), 1u);
  EXPECT_EQ(tweak->queryState(), TweakState::NotApplied);
}

}  // namespace
}  // namespace vx
