// Windows services and update tweaks on the simulated machine: policy values, the NDU driver,
// the search service, the update pause dates and the OneDrive Run entry.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/sim/machine.h"
#include "support/registry_tweak_cases.h"
#include "tweaks/service_update_tweaks.h"
#include "tweaks/update_pause_date.h"

namespace vx {
namespace {

constexpr RegRoot HKLM = RegRoot::LocalMachine;
constexpr RegRoot HKCU = RegRoot::CurrentUser;
const std::wstring kStorePolicy = L"SOFTWARE\\Policies\\Microsoft\\WindowsStore";
const std::wstring kNduService = L"SYSTEM\\CurrentControlSet\\Services\\Ndu";
const std::wstring kUpdateSettings = L"SOFTWARE\\Microsoft\\WindowsUpdate\\UX\\Settings";
const std::wstring kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t* const kPauseStarts[] = {L"PauseFeatureUpdatesStartTime", L"PauseQualityUpdatesStartTime"};
const wchar_t* const kPauseEnds[] = {L"PauseFeatureUpdatesEndTime", L"PauseQualityUpdatesEndTime"};

class ServiceUpdateTweaksTest : public ::testing::Test {
 protected:
  void SetUp() override { sim::machine().reset(); }
  sim::Machine& m = sim::machine();
};

TEST_F(ServiceUpdateTweaksTest, RegistryTweaksWriteTheirValuesAndRevert) {
  const std::wstring edge = L"SOFTWARE\\Policies\\Microsoft\\Edge";
  const test::RegistryTweakCase cases[] = {
      {"maps", [] { return std::make_unique<DisableMapsAutoUpdateTweak>(); },
       {{HKLM, L"SYSTEM\\Maps", L"AutoUpdateEnabled", L"dword:0", L"absent"}}},
      {"store", [] { return std::make_unique<DisableStoreAutoUpdateTweak>(); }, {{HKLM, kStorePolicy, L"AutoDownload", L"dword:2", L"absent"}}},
      {"ndu", [] { return std::make_unique<DisableNduTweak>(); }, {{HKLM, kNduService, L"Start", L"dword:4", L"dword:2"}}},
      {"delivery", [] { return std::make_unique<DisableDeliveryOptimizationTweak>(); },
       {{HKLM, L"SOFTWARE\\Policies\\Microsoft\\Windows\\DeliveryOptimization", L"DODownloadMode", L"dword:0", L"absent"}}},
      {"edge", [] { return std::make_unique<DisableEdgeBackgroundTweak>(); },
       {{HKLM, edge, L"BackgroundModeEnabled", L"dword:0", L"absent"}, {HKLM, edge, L"StartupBoostEnabled", L"dword:0", L"absent"}}},
  };
  for (const auto& c : cases) test::expectApplyAndRevert(c);
}

TEST_F(ServiceUpdateTweaksTest, StoreWithAutoDownloadFourIsRewrittenToTwo) {
  m.setDword(HKLM, kStorePolicy, L"AutoDownload", 4);
  DisableStoreAutoUpdateTweak tweak;
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
  ASSERT_TRUE(tweak.apply());
  EXPECT_EQ(m.dword(HKLM, kStorePolicy, L"AutoDownload"), 2u);
}

TEST_F(ServiceUpdateTweaksTest, NduRevertAlwaysWritesAutomaticStart) {
  m.setDword(HKLM, kNduService, L"Start", 3);
  DisableNduTweak tweak;
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
  ASSERT_TRUE(tweak.apply());
  EXPECT_EQ(tweak.queryState(), TweakState::Applied);
  EXPECT_TRUE(tweak.revert());
  EXPECT_EQ(m.dword(HKLM, kNduService, L"Start"), 2u);  // not the 3 found before
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
}

// --- search indexing ---

TEST_F(ServiceUpdateTweaksTest, SearchIndexingStopsAndDisablesWSearch) {
  m.addService(L"WSearch", 2, true);
  DisableSearchIndexingTweak tweak;
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
  ASSERT_TRUE(tweak.apply());
  EXPECT_EQ(m.stopRequests(), std::vector<std::wstring>{L"WSearch"});
  EXPECT_EQ(m.serviceStart(L"WSearch"), 4u);
  EXPECT_EQ(tweak.queryState(), TweakState::Applied);
  EXPECT_TRUE(tweak.revert());
  EXPECT_EQ(m.serviceStart(L"WSearch"), 2u);
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);

  m.failServiceChanges(L"WSearch");
  EXPECT_FALSE(tweak.apply());
}

TEST_F(ServiceUpdateTweaksTest, SearchIndexingWithoutWSearchIsUnavailable) {
  m.removeService(L"WSearch");
  DisableSearchIndexingTweak tweak;
  EXPECT_EQ(tweak.queryState(), TweakState::Unavailable);
  EXPECT_FALSE(tweak.apply());
  EXPECT_TRUE(m.stopRequests().empty());
}

// --- update pause ---

TEST_F(ServiceUpdateTweaksTest, PauseStartsNowAndEndsOneYearAhead) {
  struct Case {
    CalendarTime now;
    const wchar_t* start;
    const wchar_t* end;
  };
  const Case cases[] = {
      {{2026, 3, 10, 14, 5, 9, 0}, L"2026-03-10T14:05:09Z", L"2027-03-10T14:05:09Z"},
      {{2028, 2, 29, 23, 59, 59, 999}, L"2028-02-29T23:59:59Z", L"2029-02-28T23:59:59Z"},  // no leap day next year
  };
  PauseWindowsUpdateTweak tweak;
  for (const Case& c : cases) {
    m.reset();
    m.setUtcTime(c.now);
    EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
    ASSERT_TRUE(tweak.apply());
    for (const wchar_t* name : kPauseStarts) EXPECT_EQ(m.string(HKLM, kUpdateSettings, name), c.start) << name;
    for (const wchar_t* name : kPauseEnds) EXPECT_EQ(m.string(HKLM, kUpdateSettings, name), c.end) << name;
    EXPECT_EQ(tweak.queryState(), TweakState::Applied);
    EXPECT_TRUE(tweak.revert());
    for (const auto* names : {kPauseStarts, kPauseEnds})
      for (int i = 0; i < 2; ++i) EXPECT_FALSE(m.value(HKLM, kUpdateSettings, names[i]).has_value()) << names[i];
    EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
  }
}

TEST_F(ServiceUpdateTweaksTest, OneYearLaterKeepsEveryDateValid) {
  struct Case {
    CalendarTime from, to;
  };
  const Case cases[] = {
      {{2024, 2, 29, 8, 0, 0}, {2025, 2, 28, 8, 0, 0}},
      {{2027, 2, 28, 8, 0, 0}, {2028, 2, 28, 8, 0, 0}},  // into a leap year: stays the 28th
      {{2096, 2, 29, 0, 0, 0}, {2097, 2, 28, 0, 0, 0}},
      {{2026, 12, 31, 23, 59, 59}, {2027, 12, 31, 23, 59, 59}},
  };
  for (const Case& c : cases) EXPECT_EQ(oneYearLater(c.from), c.to) << c.from.year;
  EXPECT_EQ(utcStampText({987, 1, 2, 3, 4, 5}), L"0987-01-02T03:04:05Z");
}

TEST_F(ServiceUpdateTweaksTest, EmptyPauseEndIsNotAPause) {
  m.setString(HKLM, kUpdateSettings, L"PauseFeatureUpdatesEndTime", L"");
  EXPECT_EQ(PauseWindowsUpdateTweak().queryState(), TweakState::NotApplied);
}

// --- OneDrive ---

TEST_F(ServiceUpdateTweaksTest, OneDriveRunEntry) {
  DisableOneDriveTweak tweak;
  EXPECT_EQ(tweak.queryState(), TweakState::Applied);  // no entry to begin with
  EXPECT_TRUE(tweak.apply());

  EXPECT_TRUE(tweak.revert());  // written even though OneDrive is not installed
  EXPECT_EQ(m.string(HKCU, kRunKey, L"OneDrive"),
            L"C:\\Users\\Player\\AppData\\Local\\Microsoft\\OneDrive\\OneDrive.exe /background");
  EXPECT_EQ(tweak.queryState(), TweakState::NotApplied);
  ASSERT_TRUE(tweak.apply());
  EXPECT_FALSE(m.value(HKCU, kRunKey, L"OneDrive").has_value());

  // Without the profile folder, missing or set but empty, nothing is written.
  for (const bool empty : {false, true}) {
    if (empty)
      m.setEnv(L"LOCALAPPDATA", L"");
    else
      m.unsetEnv(L"LOCALAPPDATA");
    EXPECT_TRUE(tweak.revert());
    EXPECT_FALSE(m.value(HKCU, kRunKey, L"OneDrive").has_value()) << (empty ? "empty" : "missing");
  }
}

TEST_F(ServiceUpdateTweaksTest, OneDriveSideEffectEndsWithTheServiceAddress) {
  const std::wstring text = DisableOneDriveTweak().sideEffects();
  const std::wstring start =
      L"OneDrive больше не будет запускаться автоматически. Файлы в облаке останутся, доступ через ";
  ASSERT_EQ(text.substr(0, start.size()), start);
  EXPECT_EQ(text.substr(start.size()), L"https://onedrive.live.com.");
}

}  // namespace
}  // namespace vx
