#include "core/reg_settings_tweak.h"

#include <algorithm>
#include <vector>

namespace vx {

namespace {

std::vector<std::uint8_t> bytesOf(const RegData& data) { return {data.bytes.begin(), data.bytes.end()}; }

bool writeData(const RegSetting& s, const RegData& data) {
  switch (data.type) {
    case kRegTypeSz: return regWriteString(s.root, s.key, s.name, data.text);
    case kRegTypeDword: return regWriteDword(s.root, s.key, s.name, data.number);
    default: return regWriteRaw(s.root, s.key, s.name, data.type, bytesOf(data));
  }
}

RegValueImage image(const RegData& data) {
  switch (data.type) {
    case kRegTypeSz: return RegValueImage::string(data.text);
    case kRegTypeDword: return RegValueImage::dword(data.number);
    default: return RegValueImage::raw(data.type, bytesOf(data));
  }
}

enum class Reading { Missing, AtApplied, Other };

Reading read(const RegSetting& s) {
  if (s.applied.type == kRegTypeSz) {
    if (const auto text = regReadString(s.root, s.key, s.name))
      return *text == s.applied.text ? Reading::AtApplied : Reading::Other;
    // A DWORD where Windows expects text is present, just not at the applied value.
    return regReadDword(s.root, s.key, s.name) ? Reading::Other : Reading::Missing;
  }
  if (s.applied.type == kRegTypeDword) {
    const auto number = regReadDword(s.root, s.key, s.name);
    if (!number) return Reading::Missing;
    const bool holds = s.check.kind == RegCheck::AtLeast ? *number >= s.check.minimum : *number == s.applied.number;
    return holds ? Reading::AtApplied : Reading::Other;
  }
  const auto raw = regReadRaw(s.root, s.key, s.name);
  if (!raw) return Reading::Missing;
  return raw->type == s.applied.type && raw->data == bytesOf(s.applied) ? Reading::AtApplied : Reading::Other;
}

TweakState checkedValuesState(std::span<const RegSetting> settings) {
  for (const RegSetting& s : settings) {
    if (s.check.kind != RegCheck::None && read(s) != Reading::AtApplied) return TweakState::NotApplied;
  }
  return TweakState::Applied;
}

TweakState everyValueState(std::span<const RegSetting> settings) {
  if (settings.empty()) return TweakState::Undetermined;
  bool matched = false;
  bool mismatched = false;
  for (const RegSetting& s : settings) {
    switch (read(s)) {
      case Reading::Missing:
        if (s.revert.action != RegRevert::Delete) return TweakState::Undetermined;  // absence is not the default here
        mismatched = true;
        break;
      case Reading::AtApplied: matched = true; break;
      case Reading::Other: mismatched = true; break;
    }
  }
  if (matched) return mismatched ? TweakState::Undetermined : TweakState::Applied;
  return TweakState::NotApplied;
}

}  // namespace

RegSettingsTweak::RegSettingsTweak(const RegistryRow& row)
    : DescribedTweak(row.info), settings(row.values), rule(row.state) {}

TweakState RegSettingsTweak::queryState() {
  if (requirementBlocks(info().requirement)) return TweakState::Unavailable;
  return rule == RowState::EveryValue ? everyValueState(settings) : checkedValuesState(settings);
}

bool RegSettingsTweak::apply() {
  if (requirementBlocks(info().requirement)) return false;
  bool all = true;
  for (const RegSetting& s : settings) all = writeData(s, s.applied) && all;
  return all;
}

bool RegSettingsTweak::revert() {
  bool all = true;
  for (const RegSetting& s : settings) {
    switch (s.revert.action) {
      case RegRevert::Delete: all = regDeleteValue(s.root, s.key, s.name) && all; break;
      case RegRevert::Write: all = writeData(s, s.revert.data) && all; break;
      case RegRevert::Keep: break;
    }
  }
  return all;
}

TweakChanges RegSettingsTweak::changes() {
  if (requirementBlocks(info().requirement)) return {};
  TweakChanges list;
  for (const RegSetting& s : settings) {
    switch (s.revert.action) {
      case RegRevert::Delete:
        list.push_back(registryChange(s.root, s.key, s.name, image(s.applied), RegValueImage::absent()));
        break;
      case RegRevert::Write: list.push_back(registryChange(s.root, s.key, s.name, image(s.applied), image(s.revert.data))); break;
      case RegRevert::Keep: list.push_back(keptOnRevert(s.root, s.key, s.name, image(s.applied))); break;
    }
  }
  return list;
}

bool RegSettingsTweak::changesUserProfile() const {
  return std::any_of(settings.begin(), settings.end(),
                     [](const RegSetting& s) { return s.root == RegRoot::CurrentUser; });
}

}  // namespace vx
