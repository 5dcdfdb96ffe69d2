// The core catalogue on the simulated machine: page order, what each registry tweak writes and
// reads back, and the states after revert that depend on deleted values.
#include <gtest/gtest.h>

#include <cwchar>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/catalog.h"
#include "catalog/build_catalog.h"
#include "core/profiles.h"
#include "core/reg_settings_tweak.h"
#include "base/text.h"
#include "platform/sim/machine.h"
#include "support/core_registry_rows.h"

namespace vx {
namespace {

constexpr RegRoot HKLM = RegRoot::LocalMachine;
constexpr RegRoot HKCU = RegRoot::CurrentUser;

class CoreCatalogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sim::machine().reset();
    catalog = buildCatalog();
  }
  Tweak& tweak(const std::wstring& id) {
    auto found = findById(catalog, id);
    EXPECT_NE(found, nullptr) << std::string(id.begin(), id.end());
    if (!found) throw std::runtime_error("missing tweak");
    return *found;
  }
  std::vector<std::wstring> pageTitles(TweakCategory category) {
    std::vector<std::wstring> titles;
    for (const auto& t : tweaksInCategory(catalog, category)) titles.push_back(t->title);
    return titles;
  }
  TweakCatalog catalog;
};

TEST_F(CoreCatalogTest, PerformancePageHoldsExactlyTheFiveCoreCardsInOrder) {
  EXPECT_EQ(pageTitles(TweakCategory::Performance),
            (std::vector<std::wstring>{L"План питания: Высокая производительность", L"Приоритет приложений переднего плана",
                                       L"Визуальные эффекты: производительность", L"Отключить SysMain (Superfetch)",
                                       L"Глобальный таймер 0.5 мс"}));
  EXPECT_EQ(catalog.front()->id, L"power.high");
}

TEST_F(CoreCatalogTest, NetworkPageStartsWithThePerAdapterTweakWhenPresentThenTheCoreCards) {
  auto titles = pageTitles(TweakCategory::Network);
  const auto perAdapter = findById(catalog, L"net.vip.tcp_latency");
  if (perAdapter) {
    ASSERT_FALSE(titles.empty());
    EXPECT_EQ(titles.front(), perAdapter->title);
    titles.erase(titles.begin());
  }
  EXPECT_EQ(titles, (std::vector<std::wstring>{L"Отключить сетевой троттлинг", L"Системная отзывчивость для мультимедиа",
                                               L"TCP: уменьшить задержки (NoDelay)"}));
}

// The twenty core tweaks keep their relative order whatever the group builders add between them,
// and none of them is aggressive, exports keys, asks for a reboot or sets its own tier.
TEST_F(CoreCatalogTest, CoreTweaksKeepTheirOrderAndPlainBehaviour) {
  const std::vector<std::wstring> coreIds = {
      L"power.high",        L"perf.priorityseparation", L"perf.visualfx",          L"perf.sysmain",
      L"system.spooler",    L"game.disable_gamedvr",    L"game.hwsch",             L"game.gamemode",
      L"priv.telemetry",    L"priv.diagtrack",          L"priv.advertising_id",    L"net.no_throttling",
      L"net.system_responsiveness", L"net.tcp_nodelay", L"system.mouse_accel",     L"system.ntfs_lastaccess",
      L"system.long_paths", L"system.show_ext",         L"cleanup.clear_recent",   L"cleanup.no_recent_jumplist"};
  std::vector<std::wstring> seen;
  for (const auto& t : catalog)
    for (const auto& id : coreIds)
      if (t->id == id) seen.push_back(id);
  EXPECT_EQ(seen, coreIds);
  for (const auto& id : coreIds) {
    Tweak& t = tweak(id);
    EXPECT_FALSE(t.isAggressive()) << t.title;
    EXPECT_TRUE(t.backupKeys().empty()) << t.title;
    EXPECT_FALSE(t.needsReboot()) << t.title;
    EXPECT_EQ(t.tier(), 0) << t.title;
    EXPECT_FALSE(t.description.empty()) << t.title;
  }
  EXPECT_EQ(tweak(L"system.spooler").category, TweakCategory::System);
  EXPECT_EQ(tweak(L"game.hwsch").category, TweakCategory::Games);
  EXPECT_EQ(tweak(L"priv.advertising_id").category, TweakCategory::Privacy);
  EXPECT_EQ(tweak(L"cleanup.clear_recent").category, TweakCategory::Cleanup);
}

// Only Windows 11 reads GlobalTimerResolutionRequests, at boot: on Windows 10 the card is
// unavailable and writes nothing; on Windows 11 it writes the DWORD 1 and revert deletes it.
TEST_F(CoreCatalogTest, GlobalTimerRowIsAWindows11RegistryValueThatNeedsAReboot) {
  const wchar_t* const kernel = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\kernel";
  const wchar_t* const value = L"GlobalTimerResolutionRequests";
  auto& m = sim::machine();
  Tweak& t = tweak(L"perf.global_timer");
  EXPECT_EQ(t.description,
            L"Windows 11 снова применяет запрос таймера 0.5 мс от движка Vantorix ко всем процессам, в том числе к "
            L"игре (GlobalTimerResolutionRequests). Нужен для игрового движка на Windows 11; действует после "
            L"перезагрузки.");
  EXPECT_TRUE(t.needsReboot());
  EXPECT_FALSE(t.isAggressive());
  EXPECT_EQ(tierOf(t), 0);
  EXPECT_EQ(t.category, TweakCategory::Performance);
  EXPECT_NE(dynamic_cast<RegSettingsTweak*>(&t), nullptr);

  struct Case {
    const char* scene;
    std::uint32_t build;
    bool windows11;
  };
  for (const Case& c : {Case{"Windows 10 22H2", 19045, false}, Case{"Windows 11 21H2", 22000, true},
                        Case{"Windows 11 23H2", 22631, true}}) {
    SCOPED_TRACE(c.scene);
    m.deleteKey(HKLM, kernel);
    m.setWindowsVersion({10, 0, c.build});
    if (!c.windows11) {
      EXPECT_EQ(t.queryState(), TweakState::Unavailable);
      EXPECT_EQ(t.compatibilityNote(), L"Только для Windows 11");
      EXPECT_FALSE(t.apply());
      EXPECT_FALSE(m.value(HKLM, kernel, value).has_value());
      continue;
    }
    EXPECT_EQ(t.compatibilityNote(), L"");
    EXPECT_EQ(t.queryState(), TweakState::NotApplied);
    ASSERT_TRUE(t.apply());
    EXPECT_EQ(m.dword(HKLM, kernel, value), 1u);
    EXPECT_EQ(t.queryState(), TweakState::Applied);
    ASSERT_TRUE(t.revert());
    EXPECT_FALSE(m.value(HKLM, kernel, value).has_value());
    EXPECT_EQ(t.queryState(), TweakState::NotApplied);
  }
}

const wchar_t* const kProfile = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Multimedia\\SystemProfile";
const wchar_t* const kTcpip = L"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";
const wchar_t* const kMouse = L"Control Panel\\Mouse";

TEST_F(CoreCatalogTest, RegistryTweaksWriteTheirValuesAndReadThemBack) {
  for (const auto& row : test::coreRegistryRows()) {
    SCOPED_TRACE(toUtf8(row.id));
    Tweak& t = tweak(row.id);
    // Every registry row, one value or several, is the one row kind.
    EXPECT_NE(dynamic_cast<RegSettingsTweak*>(&t), nullptr);

    ASSERT_TRUE(t.apply());
    for (const auto& v : row.values) EXPECT_EQ(test::registryValueText(v.root, v.key, v.name), v.applied) << v.name;
    EXPECT_EQ(t.queryState(), TweakState::Applied);

    ASSERT_TRUE(t.revert());
    for (const auto& v : row.values)
      EXPECT_EQ(test::registryValueText(v.root, v.key, v.name), v.afterRevert) << v.name;
    EXPECT_EQ(t.queryState(), TweakState::NotApplied);
  }
}

// The mouse values are text, compared as text: all three at "0" is Applied, one missing or a mix is
// Undetermined, DWORDs (as an older version of this program wrote them) are not at the applied value.
TEST_F(CoreCatalogTest, MouseAccelerationStateFromTheThreeStrings) {
  auto& m = sim::machine();
  struct Case {
    const char* scene;
    std::vector<std::pair<const wchar_t*, const wchar_t*>> strings;  // name, text
    bool thresholdsAsDwords;
    TweakState expected;
  };
  const Case cases[] = {
      {"all zero", {{L"MouseSpeed", L"0"}, {L"MouseThreshold1", L"0"}, {L"MouseThreshold2", L"0"}}, false, TweakState::Applied},
      {"Windows defaults", {{L"MouseSpeed", L"1"}, {L"MouseThreshold1", L"6"}, {L"MouseThreshold2", L"10"}}, false,
       TweakState::NotApplied},
      {"mixed", {{L"MouseSpeed", L"0"}, {L"MouseThreshold1", L"6"}, {L"MouseThreshold2", L"0"}}, false,
       TweakState::Undetermined},
      {"one missing", {{L"MouseSpeed", L"0"}, {L"MouseThreshold1", L"0"}}, false, TweakState::Undetermined},
      {"thresholds as DWORD 0", {{L"MouseSpeed", L"0"}}, true, TweakState::Undetermined},
      {"all as DWORD 0", {}, true, TweakState::NotApplied},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.scene);
    m.reset();
    m.deleteKey(HKCU, kMouse);
    for (const auto& [name, text] : c.strings) m.setString(HKCU, kMouse, name, text);
    if (c.thresholdsAsDwords) {
      for (const wchar_t* name : {L"MouseThreshold1", L"MouseThreshold2"}) m.setDword(HKCU, kMouse, name, 0);
      if (c.strings.empty()) m.setDword(HKCU, kMouse, L"MouseSpeed", 0);
    }
    EXPECT_EQ(tweak(L"system.mouse_accel").queryState(), c.expected);
  }
}

TEST_F(CoreCatalogTest, NoThrottlingStoresAllBitsSet) {
  Tweak& t = tweak(L"net.no_throttling");
  EXPECT_EQ(t.queryState(), TweakState::NotApplied);  // the machine's default 10
  ASSERT_TRUE(t.apply());
  EXPECT_EQ(sim::machine().dword(HKLM, kProfile, L"NetworkThrottlingIndex"), 4294967295u);
  EXPECT_EQ(t.queryState(), TweakState::Applied);
}

// Deleted values count as the default only for entries that delete on revert.
TEST_F(CoreCatalogTest, StatesWhereValuesAreMissingOrStoredAsText) {
  auto& m = sim::machine();
  EXPECT_EQ(tweak(L"net.tcp_nodelay").queryState(), TweakState::NotApplied);    // both absent, both deleted on revert
  EXPECT_EQ(tweak(L"priv.telemetry").queryState(), TweakState::Undetermined);  // CEIPEnable absent, not deletable
  m.setDword(HKLM, kTcpip, L"TCPNoDelay", 1);
  EXPECT_EQ(tweak(L"net.tcp_nodelay").queryState(), TweakState::Undetermined);  // mixed
  m.setDword(HKLM, L"SOFTWARE\\Policies\\Microsoft\\SQMClient\\Windows", L"CEIPEnable", 0);
  m.setDword(HKLM, L"SOFTWARE\\Policies\\Microsoft\\Windows\\DataCollection", L"AllowTelemetry", 0);
  EXPECT_EQ(tweak(L"priv.telemetry").queryState(), TweakState::Undetermined);  // one of three deletable absent
  ASSERT_TRUE(tweak(L"priv.telemetry").revert());
  EXPECT_EQ(tweak(L"priv.telemetry").queryState(), TweakState::NotApplied);
}

TEST_F(CoreCatalogTest, ServiceTweaksDisableAndRestoreAutomaticStart) {
  auto& m = sim::machine();
  struct Case {
    const wchar_t* id;
    const wchar_t* service;
  };
  for (const Case c : {Case{L"perf.sysmain", L"SysMain"}, Case{L"system.spooler", L"Spooler"},
                       Case{L"priv.diagtrack", L"DiagTrack"}}) {
    Tweak& t = tweak(c.id);
    EXPECT_EQ(t.queryState(), TweakState::NotApplied);
    ASSERT_TRUE(t.apply());
    EXPECT_EQ(m.serviceStart(c.service), 4u);
    EXPECT_EQ(m.stopRequests().back(), c.service);
    EXPECT_EQ(t.queryState(), TweakState::Applied);
    ASSERT_TRUE(t.revert());
    EXPECT_EQ(m.serviceStart(c.service), 2u);
    m.removeService(c.service);
    EXPECT_EQ(t.queryState(), TweakState::Unavailable);
  }
}

}  // namespace
}  // namespace vx
