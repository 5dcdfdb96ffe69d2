#include "core/reg_dword_tweak.h"

#include <algorithm>

#include "platform/system.h"

namespace vx {

namespace {

bool applyEntry(const RegValueEntry& e) {
  return e.appliedText ? regWriteString(e.root, e.subkey, e.valueName, *e.appliedText)
                       : regWriteDword(e.root, e.subkey, e.valueName, e.appliedValue);
}

bool revertEntry(const RegValueEntry& e) {
  if (e.deleteOnRevert) return regDeleteValue(e.root, e.subkey, e.valueName);
  return e.appliedText ? regWriteString(e.root, e.subkey, e.valueName, e.revertText)
                       : regWriteDword(e.root, e.subkey, e.valueName, e.revertValue);
}

enum class EntryReading { Missing, AtApplied, Other };

EntryReading readEntry(const RegValueEntry& e) {
  if (!e.appliedText) {
    const auto value = regReadDword(e.root, e.subkey, e.valueName);
    if (!value) return EntryReading::Missing;
    return *value == e.appliedValue ? EntryReading::AtApplied : EntryReading::Other;
  }
  if (const auto text = regReadString(e.root, e.subkey, e.valueName))
    return *text == *e.appliedText ? EntryReading::AtApplied : EntryReading::Other;
  // A DWORD where Windows expects text is present, just not at the applied value.
  return regReadDword(e.root, e.subkey, e.valueName) ? EntryReading::Other : EntryReading::Missing;
}

RegValueImage appliedImage(const RegValueEntry& e) {
  return e.appliedText ? RegValueImage::string(*e.appliedText) : RegValueImage::dword(e.appliedValue);
}

RegValueImage revertImage(const RegValueEntry& e) {
  if (e.deleteOnRevert) return RegValueImage::absent();
  return e.appliedText ? RegValueImage::string(e.revertText) : RegValueImage::dword(e.revertValue);
}

}  // namespace

RegValueEntry textEntry(RegRoot root, std::wstring subkey, std::wstring valueName, std::wstring appliedText,
                        std::wstring revertText) {
  RegValueEntry entry{root, std::move(subkey), std::move(valueName)};
  entry.appliedText = std::move(appliedText);
  entry.revertText = std::move(revertText);
  return entry;
}

RegDwordTweak::RegDwordTweak(std::wstring id, std::wstring title, std::wstring description, TweakCategory category,
                             RegRoot root, std::wstring subkey, std::wstring valueName, std::uint32_t appliedValue,
                             std::uint32_t revertValue, bool deleteOnRevert, RegRowRules rules)
    : Tweak(std::move(id), std::move(title), std::move(description), category),
      root(root),
      subkey(std::move(subkey)),
      valueName(std::move(valueName)),
      appliedValue(appliedValue),
      revertValue(revertValue),
      deleteOnRevert(deleteOnRevert),
      rules(rules) {}

// A version that cannot be read has build 0 and counts as too old.
bool RegDwordTweak::buildTooOld() const {
  return rules.minimumBuild != 0 && getWindowsVersion().build < rules.minimumBuild;
}

TweakState RegDwordTweak::queryState() {
  if (buildTooOld()) return TweakState::Unavailable;
  const auto value = regReadDword(root, subkey, valueName);
  if (!value) return deleteOnRevert ? TweakState::NotApplied : TweakState::Undetermined;
  return *value == appliedValue ? TweakState::Applied : TweakState::NotApplied;
}

bool RegDwordTweak::apply() { return !buildTooOld() && regWriteDword(root, subkey, valueName, appliedValue); }

bool RegDwordTweak::revert() {
  return revertEntry(RegValueEntry{root, subkey, valueName, appliedValue, revertValue, deleteOnRevert});
}

std::wstring RegDwordTweak::compatibilityNote() const { return buildTooOld() ? rules.olderBuildNote : L""; }

bool RegDwordTweak::needsReboot() const { return rules.needsReboot; }

TweakChanges RegDwordTweak::changes() {
  if (buildTooOld()) return {};
  return {registryChange(root, subkey, valueName, RegValueImage::dword(appliedValue),
                         deleteOnRevert ? RegValueImage::absent() : RegValueImage::dword(revertValue))};
}

CompositeRegTweak::CompositeRegTweak(std::wstring id, std::wstring title, std::wstring description,
                                     TweakCategory category, std::vector<RegValueEntry> entries)
    : Tweak(std::move(id), std::move(title), std::move(description), category), entries(std::move(entries)) {}

bool RegDwordTweak::changesUserProfile() const { return root == RegRoot::CurrentUser; }

bool CompositeRegTweak::changesUserProfile() const {
  return std::any_of(entries.begin(), entries.end(),
                     [](const RegValueEntry& e) { return e.root == RegRoot::CurrentUser; });
}

TweakState CompositeRegTweak::queryState() {
  if (entries.empty()) return TweakState::Undetermined;
  bool matched = false;
  bool mismatched = false;
  for (const auto& e : entries) {
    switch (readEntry(e)) {
      case EntryReading::Missing:
        if (!e.deleteOnRevert) return TweakState::Undetermined;  // absence is not the default here
        mismatched = true;
        break;
      case EntryReading::AtApplied:
        matched = true;
        break;
      case EntryReading::Other:
        mismatched = true;
        break;
    }
  }
  if (matched) return mismatched ? TweakState::Undetermined : TweakState::Applied;
  return TweakState::NotApplied;
}

bool CompositeRegTweak::apply() {
  bool all = true;
  for (const auto& e : entries) all = applyEntry(e) && all;
  return all;
}

TweakChanges CompositeRegTweak::changes() {
  TweakChanges list;
  for (const auto& e : entries) list.push_back(registryChange(e.root, e.subkey, e.valueName, appliedImage(e), revertImage(e)));
  return list;
}

bool CompositeRegTweak::revert() {
  bool all = true;
  for (const auto& e : entries) all = revertEntry(e) && all;
  return all;
}

}  // namespace vx
