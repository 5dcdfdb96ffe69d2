// The advanced registry, tool and service tweaks against the real registry and service manager
// (Wine): each registry tweak applied, read back, reverted and read back; the tools Wine lacks
// (powercfg, bcdedit) leave no marker; the search tweak against a WSearch service made here.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/catalog.h"
#include "core/tweak.h"
#include "platform/registry.h"
#include "platform/scene.h"
#include "platform/services.h"
#include "support/registry_value_guard.h"
#include "tweaks/group_builders.h"
#include "core/reg_settings_tweak.h"

namespace vx {
namespace {

constexpr RegRoot HKLM = RegRoot::LocalMachine;
constexpr RegRoot HKCU = RegRoot::CurrentUser;
const std::wstring kMarkerKey = L"SOFTWARE\\Vantorix";

TweakCatalog advancedGroups() {
  TweakCatalog catalog;
  appendInterruptGroup(catalog);
  appendLatencyGroup(catalog);
  appendExtendedGroup(catalog);
  appendServiceUpdateGroup(catalog);
  appendNetworkAdapterGroup(catalog);
  return catalog;
}

// The values a registry tweak touches that a table of settings does not list.
struct ExtraValue {
  const wchar_t* id;
  RegRoot root;
  const wchar_t* key;
  const wchar_t* name;
};
const ExtraValue kExtraValues[] = {
    {L"perf.usb_power", HKLM, L"SYSTEM\\CurrentControlSet\\Services\\USB", L"DisableSelectiveSuspend"},
    {L"sys.pause_winupdate", HKLM, L"SOFTWARE\\Microsoft\\WindowsUpdate\\UX\\Settings", L"PauseFeatureUpdatesStartTime"},
    {L"sys.pause_winupdate", HKLM, L"SOFTWARE\\Microsoft\\WindowsUpdate\\UX\\Settings", L"PauseFeatureUpdatesEndTime"},
    {L"sys.pause_winupdate", HKLM, L"SOFTWARE\\Microsoft\\WindowsUpdate\\UX\\Settings", L"PauseQualityUpdatesStartTime"},
    {L"sys.pause_winupdate", HKLM, L"SOFTWARE\\Microsoft\\WindowsUpdate\\UX\\Settings", L"PauseQualityUpdatesEndTime"},
    {L"sys.no_onedrive", HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", L"OneDrive"},
};

TEST(SystemTweaksWine, RegistryTweaksApplyReadBackAndRevert) {
  const TweakCatalog catalog = advancedGroups();
  const wchar_t* const ids[] = {
      L"perf.no_spectre_meltdown", L"perf.usb_power",       L"perf.fso_off",           L"perf.shader_cache",
      L"perf.system_cache",        L"perf.dyn_priority",    L"perf.hags",              L"pro.mmcss_gaming",
      L"pro.no_throttle",          L"pro.gpu_tdr",          L"pro.no_cortana",         L"pro.no_reserved_storage",
      L"sys.maps_no_autoupdate",   L"sys.store_no_autoupdate", L"sys.no_ndu",          L"sys.pause_winupdate",
      L"sys.no_delivery_opt",      L"sys.no_edge_bg",       L"sys.no_onedrive"};
  for (const wchar_t* id : ids) {
    SCOPED_TRACE(testing::Message() << id);
    const TweakPtr tweak = findById(catalog, id);
    ASSERT_NE(tweak, nullptr);
    test::RegistryValueGuard guard;
    if (const auto* settings = dynamic_cast<const RegSettingsTweak*>(tweak.get()))
      for (const RegSetting& s : settings->settings) guard.remember(s.root, s.key, s.name);
    for (const ExtraValue& v : kExtraValues)
      if (tweak->id == v.id) guard.remember(v.root, v.key, v.name);

    ASSERT_TRUE(tweak->apply());
    EXPECT_EQ(tweak->queryState(), TweakState::Applied);
    EXPECT_TRUE(tweak->revert());
    EXPECT_EQ(tweak->queryState(), TweakState::NotApplied);
  }
}

// powercfg.exe and bcdedit.exe do not exist here: the tweaks that depend on them must fail and
// must not leave the marker that would show them as applied.
TEST(SystemTweaksWine, MissingToolsLeaveNoMarker) {
  const TweakCatalog catalog = advancedGroups();
  struct Case {
    const wchar_t* id;
    const wchar_t* marker;
  };
  const Case cases[] = {
      {L"perf.pcie_no_aspm", L"PciAspmDisabled"},
      {L"perf.bcd_hpet", L"BcdHpetApplied"},
      {L"perf.hpet_off", L"HpetOff"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.id);
    const TweakPtr tweak = findById(catalog, c.id);
    ASSERT_NE(tweak, nullptr);
    EXPECT_FALSE(tweak->apply());
    EXPECT_FALSE(regReadDword(HKLM, kMarkerKey, c.marker).has_value());
    EXPECT_EQ(tweak->queryState(), TweakState::NotApplied);
    EXPECT_TRUE(tweak->revert());
  }
}

// Wine ships its own dism, powershell and netsh programs; whatever they answer, a marker exists
// exactly when apply reported success, and revert removes it.
TEST(SystemTweaksWine, ToolMarkersFollowTheToolsResult) {
  const TweakCatalog catalog = advancedGroups();
  struct Case {
    const wchar_t* id;
    const wchar_t* marker;
  };
  const Case cases[] = {
      {L"clean.dism_winsxs", L"DismCleanupRun"},
      {L"pro.no_memcomp", L"MemCompressionDisabled"},
      {L"pro.tcp_autotune", L"TcpAutotuneApplied"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.id);
    const TweakPtr tweak = findById(catalog, c.id);
    ASSERT_NE(tweak, nullptr);
    const bool applied = tweak->apply();
    EXPECT_EQ(regReadDword(HKLM, kMarkerKey, c.marker).has_value(), applied);
    EXPECT_EQ(tweak->queryState(), applied ? TweakState::Applied : TweakState::NotApplied);
    EXPECT_TRUE(tweak->revert());
    EXPECT_FALSE(regReadDword(HKLM, kMarkerKey, c.marker).has_value());
    EXPECT_EQ(tweak->queryState(), TweakState::NotApplied);
  }
}

TEST(SystemTweaksWine, SearchIndexingFollowsTheWSearchService) {
  const TweakPtr tweak = findById(advancedGroups(), L"sys.no_indexing");
  ASSERT_NE(tweak, nullptr);
  scene::removeService(L"WSearch");  // Wine has none; an interrupted run may have left one
  EXPECT_EQ(tweak->queryState(), TweakState::Unavailable);
  EXPECT_FALSE(tweak->apply());

  ASSERT_TRUE(scene::addService(L"WSearch", kServiceAutoStart));
  EXPECT_EQ(tweak->queryState(), TweakState::NotApplied);
  EXPECT_TRUE(tweak->apply());
  EXPECT_EQ(serviceStartType(L"WSearch"), static_cast<int>(kServiceDisabled));
  EXPECT_EQ(tweak->queryState(), TweakState::Applied);
  EXPECT_TRUE(tweak->revert());
  EXPECT_EQ(serviceStartType(L"WSearch"), static_cast<int>(kServiceAutoStart));
  EXPECT_EQ(tweak->queryState(), TweakState::NotApplied);
  scene::removeService(L"WSearch");
  EXPECT_EQ(tweak->queryState(), TweakState::Unavailable);
}

}  // namespace
}  // namespace vx
