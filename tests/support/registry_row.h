// Row-kind tweaks built at run time for tests: a registry row (or a service row) whose values a
// test chooses, kept alive together with the tweak that reads them.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "core/reg_settings_tweak.h"
#include "core/service_tweak.h"

namespace vx::test {

struct RowStorage {
  std::wstring id;
  std::vector<RegSetting> values;
  RegistryRow row;
};

class TestRegistryRow : private RowStorage, public RegSettingsTweak {
 public:
  TestRegistryRow(std::wstring id, std::vector<RegSetting> values, RowState state = RowState::EveryValue)
      : RowStorage{std::move(id), std::move(values), {}},
        RegSettingsTweak(boundRow(*this, state)) {}

 private:
  static const RegistryRow& boundRow(RowStorage& s, RowState state) {
    s.row = RegistryRow{{s.id.c_str(), s.id.c_str(), L"", TweakCategory::System}, s.values, state};
    return s.row;
  }
};

// A DWORD value as the core rows write it: checked, reverted to `revert` or deleted.
inline RegSetting dwordValue(RegRoot root, const wchar_t* key, const wchar_t* name, std::uint32_t applied,
                             std::uint32_t revert, bool deleteOnRevert) {
  return {root, key, name, dwordData(applied), deleteOnRevert ? kRevertDelete : revertTo(dwordData(revert)),
          kCheckEquals};
}

struct ServiceStorage {
  std::wstring service;
  ServiceRow row;
};

class TestServiceRow : private ServiceStorage, public ServiceTweak {
 public:
  TestServiceRow(std::wstring service, std::uint32_t applied, std::uint32_t revert)
      : ServiceStorage{std::move(service), {}}, ServiceTweak(boundRow(*this, applied, revert)) {}

 private:
  static const ServiceRow& boundRow(ServiceStorage& s, std::uint32_t applied, std::uint32_t revert) {
    s.row = ServiceRow{{L"test.service", L"Служба", L"", TweakCategory::System}, s.service.c_str(), applied, revert};
    return s.row;
  }
};

}  // namespace vx::test
