#include "core/reg_dword_tweak.h"

namespace vx {

namespace {

bool revertEntry(const RegValueEntry& e) {
  return e.deleteOnRevert ? regDeleteValue(e.root, e.subkey, e.valueName)
                          : regWriteDword(e.root, e.subkey, e.valueName, e.revertValue);
}

}  // namespace

RegDwordTweak::RegDwordTweak(std::wstring id, std::wstring title, std::wstring description, TweakCategory category,
                             RegRoot root, std::wstring subkey, std::wstring valueName, std::uint32_t appliedValue,
                             std::uint32_t revertValue, bool deleteOnRevert)
    : Tweak(std::move(id), std::move(title), std::move(description), category),
      root(root),
      subkey(std::move(subkey)),
      valueName(std::move(valueName)),
      appliedValue(appliedValue),
      revertValue(revertValue),
      deleteOnRevert(deleteOnRevert) {}

TweakState RegDwordTweak::queryState() {
  const auto value = regReadDword(root, subkey, valueName);
  if (!value) return deleteOnRevert ? TweakState::NotApplied : TweakState::Undetermined;
  return *value == appliedValue ? TweakState::Applied : TweakState::NotApplied;
}

bool RegDwordTweak::apply() { return regWriteDword(root, subkey, valueName, appliedValue); }

bool RegDwordTweak::revert() {
  return revertEntry(RegValueEntry{root, subkey, valueName, appliedValue, revertValue, deleteOnRevert});
}

CompositeRegTweak::CompositeRegTweak(std::wstring id, std::wstring title, std::wstring description,
                                     TweakCategory category, std::vector<RegValueEntry> entries)
    : Tweak(std::move(id), std::move(title), std::move(description), category), entries(std::move(entries)) {}

TweakState CompositeRegTweak::queryState() {
  if (entries.empty()) return TweakState::Undetermined;
  bool matched = false;
  bool mismatched = false;
  for (const auto& e : entries) {
    const auto value = regReadDword(e.root, e.subkey, e.valueName);
    if (!value) {
      if (!e.deleteOnRevert) return TweakState::Undetermined;  // absence is not the default here
      mismatched = true;
    } else if (*value == e.appliedValue) {
      matched = true;
    } else {
      mismatched = true;
    }
  }
  if (matched) return mismatched ? TweakState::Undetermined : TweakState::Applied;
  return TweakState::NotApplied;
}

bool CompositeRegTweak::apply() {
  bool all = true;
  for (const auto& e : entries) all = regWriteDword(e.root, e.subkey, e.valueName, e.appliedValue) && all;
  return all;
}

bool CompositeRegTweak::revert() {
  bool all = true;
  for (const auto& e : entries) all = revertEntry(e) && all;
  return all;
}

}  // namespace vx
