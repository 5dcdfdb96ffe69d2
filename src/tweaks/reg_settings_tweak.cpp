#include "tweaks/reg_settings_tweak.h"

#include <algorithm>

namespace vx {

namespace {

bool writeData(const RegSetting& s, const RegData& data) {
  return data.isText ? regWriteString(s.root, s.key, s.name, data.text)
                     : regWriteDword(s.root, s.key, s.name, data.number);
}

bool checkHolds(const RegSetting& s) {
  if (s.applied.isText) {
    const auto text = regReadString(s.root, s.key, s.name);
    return text && *text == s.applied.text;
  }
  const auto number = regReadDword(s.root, s.key, s.name);
  if (!number) return false;
  return s.check.kind == RegCheck::AtLeast ? *number >= s.check.minimum : *number == s.applied.number;
}

RegValueImage image(const RegData& data) {
  return data.isText ? RegValueImage::string(data.text) : RegValueImage::dword(data.number);
}

}  // namespace

RegSettingsTweak::RegSettingsTweak(const TweakInfo& info, std::span<const RegSetting> settings)
    : DescribedTweak(info), settings(settings) {}

TweakState RegSettingsTweak::queryState() {
  for (const RegSetting& s : settings) {
    if (s.check.kind != RegCheck::None && !checkHolds(s)) return TweakState::NotApplied;
  }
  return TweakState::Applied;
}

bool RegSettingsTweak::apply() {
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
