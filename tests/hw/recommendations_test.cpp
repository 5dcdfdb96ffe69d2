// Recommendations on scenario machines of the simulator, with a catalogue of fake tweaks whose
// states the tests choose.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text.h"
#include "hw/fake_tweaks.h"
#include "hw/hardware_profile.h"
#include "hw/recommendations.h"
#include "support/hardware_scenarios.h"

namespace vx {
namespace {

using hwtest::fake;
using hwtest::fakeCatalog;

// Every tweak id a recommendation can name.
const std::vector<std::wstring> kAdviceIds = {
    L"priv.telemetry",      L"priv.diagtrack",           L"priv.advertising_id",     L"game.disable_gamedvr",
    L"perf.visualfx",       L"perf.sysmain",             L"system.ntfs_lastaccess",  L"power.high",
    L"game.hwsch",          L"net.no_throttling",        L"net.system_responsiveness", L"net.tcp_nodelay",
    L"perf.priorityseparation", L"system.mouse_accel",   L"system.show_ext",         L"perf.no_spectre_meltdown",
    L"perf.gpu_msi",        L"perf.pcie_no_aspm",        L"net.vip.tcp_latency",     L"net.vip.disable_eee",
    L"net.vip.intr_moderation",
};

// The first tweak id of each recommendation identifies it.
std::vector<std::wstring> leadIds(const std::vector<Recommendation>& list) {
  std::vector<std::wstring> ids;
  for (const Recommendation& r : list) ids.push_back(r.tweakIds.front());
  return ids;
}

std::vector<int> priorities(const std::vector<Recommendation>& list) {
  std::vector<int> out;
  for (const Recommendation& r : list) out.push_back(r.priority);
  return out;
}

const Recommendation* findLead(const std::vector<Recommendation>& list, const std::wstring& id) {
  for (const Recommendation& r : list)
    if (r.tweakIds.front() == id) return &r;
  return nullptr;
}

class Recommendations : public testing::Test {
 protected:
  void SetUp() override { sim::machine().reset(); }
  HardwareProfile machineWith(const test::PcParts& pc) {
    test::buildPc(sim::machine(), pc);
    return detectHardware();
  }
  TweakCatalog nothingApplied = fakeCatalog(kAdviceIds, TweakState::NotApplied);
};

TEST_F(Recommendations, Rtx3070DesktopWithNothingApplied) {
  const auto list = buildRecommendations(machineWith(test::rtx3070Desktop()), nothingApplied);

  EXPECT_EQ(leadIds(list), (std::vector<std::wstring>{
                               L"priv.telemetry", L"game.disable_gamedvr", L"perf.sysmain", L"perf.gpu_msi",
                               L"system.ntfs_lastaccess", L"power.high", L"game.hwsch", L"net.no_throttling",
                               L"perf.priorityseparation", L"system.mouse_accel", L"net.vip.tcp_latency",
                               L"net.vip.disable_eee", L"system.show_ext", L"net.vip.intr_moderation"}));
  EXPECT_EQ(priorities(list), (std::vector<int>{0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 2, 2}));

  EXPECT_EQ(list[0].title, L"Снизьте уровень телеметрии Windows");
  EXPECT_EQ(list[0].tweakIds,
            (std::vector<std::wstring>{L"priv.telemetry", L"priv.diagtrack", L"priv.advertising_id"}));
  EXPECT_EQ(list[3].title, L"Включите MSI Mode для NVIDIA GeForce RTX 3070");
  EXPECT_EQ(list[3].text,
            L"NVIDIA Ampere поддерживает MSI с приоритетом High. Это стандартная рекомендация NVIDIA Forums для "
            L"устранения stuttering в DX11/DX12.");
  EXPECT_EQ(list[6].text,
            L"Видеокарта \"NVIDIA GeForce RTX 3070\" поддерживает Hardware-Accelerated GPU Scheduling. Может снизить "
            L"задержку ввода в играх. После применения нужна перезагрузка.");
  EXPECT_EQ(list[7].tweakIds,
            (std::vector<std::wstring>{L"net.no_throttling", L"net.system_responsiveness", L"net.tcp_nodelay"}));
  EXPECT_EQ(list[5].title, L"Активируйте план «Высокая производительность»");
}

TEST_F(Recommendations, LaptopMovesMouseAdviceToOptionsAndDropsPowerPlan) {
  test::PcParts laptop = test::rtx3070Desktop();
  laptop.laptop = true;
  const auto list = buildRecommendations(machineWith(laptop), nothingApplied);

  EXPECT_EQ(leadIds(list), (std::vector<std::wstring>{
                               L"priv.telemetry", L"game.disable_gamedvr", L"perf.sysmain", L"perf.gpu_msi",
                               L"system.ntfs_lastaccess", L"game.hwsch", L"net.no_throttling",
                               L"perf.priorityseparation", L"net.vip.tcp_latency", L"net.vip.disable_eee",
                               L"system.mouse_accel", L"system.show_ext", L"net.vip.intr_moderation"}));
  EXPECT_EQ(findLead(list, L"system.mouse_accel")->priority, 2);
}

TEST_F(Recommendations, VisualEffectsOnlyBelowEightGibibytes) {
  struct Case {
    std::optional<std::uint64_t> ramMb;  // nothing: the memory status cannot be read
    const wchar_t* text;                 // nullptr: no visual-effects advice
  };
  const Case cases[] = {
      {6144, L"У вас 6 ГБ ОЗУ — для такой конфигурации отключение анимаций и теней даёт заметный прирост "
             L"отзывчивости интерфейса."},
      {8191, L"У вас 7 ГБ ОЗУ — для такой конфигурации отключение анимаций и теней даёт заметный прирост "
             L"отзывчивости интерфейса."},
      {8192, nullptr},
      {32768, nullptr},
      {0, nullptr},
      {std::nullopt, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ramMb ? std::to_string(*c.ramMb) : "unreadable");
    test::buildPc(sim::machine(), test::rtx3070Desktop());
    if (c.ramMb) test::setMemoryMb(sim::machine(), *c.ramMb);
    else sim::machine().setMemory(std::nullopt);
    const auto list = buildRecommendations(detectHardware(), nothingApplied);
    const Recommendation* visual = findLead(list, L"perf.visualfx");
    if (!c.text) {
      EXPECT_EQ(visual, nullptr);
      continue;
    }
    ASSERT_NE(visual, nullptr);
    EXPECT_EQ(visual->text, c.text);
    EXPECT_EQ(visual->priority, 0);
    EXPECT_EQ(list[2].tweakIds.front(), L"perf.visualfx");  // after telemetry and Game DVR
  }
}

TEST_F(Recommendations, OldIntelWithPolarisGetsSpectreAndAmdBlock) {
  test::PcParts pc;
  pc.cpuName = L"Intel(R) Core(TM) i7-4790K CPU @ 4.00GHz";
  pc.gpuName = L"Radeon RX 580 Series";
  pc.ssd = false;
  const auto list = buildRecommendations(machineWith(pc), nothingApplied);

  EXPECT_EQ(leadIds(list), (std::vector<std::wstring>{
                               L"priv.telemetry", L"game.disable_gamedvr", L"perf.gpu_msi", L"power.high",
                               L"game.hwsch", L"net.no_throttling", L"perf.priorityseparation",
                               L"system.mouse_accel", L"perf.no_spectre_meltdown", L"perf.pcie_no_aspm",
                               L"net.vip.tcp_latency", L"net.vip.disable_eee", L"system.show_ext",
                               L"net.vip.intr_moderation"}));
  const Recommendation* msi = findLead(list, L"perf.gpu_msi");
  EXPECT_EQ(msi->title, L"Включите MSI Mode для Radeon RX 580 Series");
  EXPECT_EQ(msi->text,
            L"GPU семейства Polaris хорошо работает с Message Signaled Interrupts. На Radeon RX 580 Series это "
            L"убирает stuttering и снижает задержку DPC на 1–3 мс. После перезагрузки можно отказаться от "
            L"агрессивных фоновых обработок.");
  const Recommendation* spectre = findLead(list, L"perf.no_spectre_meltdown");
  EXPECT_EQ(spectre->title, L"Для 4790 — отключите митигации Spectre/Meltdown");
  EXPECT_EQ(spectre->text,
            L"Ваш Intel(R) Core(TM) i7-4790K CPU @ 4.00GHz сильнее всего страдает от программных патчей уязвимостей "
            L"(до 10–15% производительности в играх и компиляции). На офлайн-игровом ПК их безопасно отключить. "
            L"Будет создана точка восстановления — если что-то пойдёт не так, можно откатить.");
}

TEST_F(Recommendations, RdnaAndNewerGpusGetNoMsiAdvice) {
  for (const wchar_t* gpu : {L"AMD Radeon RX 5700 XT", L"AMD Radeon RX 7900 XTX", L"NVIDIA GeForce RTX 5090",
                             L"NVIDIA GeForce GTX 970"}) {
    SCOPED_TRACE(toUtf8(gpu));
    test::PcParts pc;
    pc.gpuName = gpu;
    const auto list = buildRecommendations(machineWith(pc), nothingApplied);
    EXPECT_EQ(findLead(list, L"perf.gpu_msi"), nullptr);
    EXPECT_EQ(findLead(list, L"perf.pcie_no_aspm"), nullptr);
  }
}

TEST_F(Recommendations, ComposedTextsFallBackWhenNamesAreMissing) {
  HardwareProfile p;
  p.oldIntelCpu = true;
  p.intelGeneration = 3;
  p.intelModelNumber = 3770;
  p.amdGpuFamily = L"GCN";
  const auto list = buildRecommendations(p, nothingApplied);

  const Recommendation* spectre = findLead(list, L"perf.no_spectre_meltdown");
  ASSERT_NE(spectre, nullptr);
  EXPECT_EQ(spectre->title, L"Для 3770 — отключите митигации Spectre/Meltdown");
  EXPECT_EQ(spectre->text.rfind(L"Ваш Intel 3 поколения сильнее всего страдает", 0), 0u);
  const Recommendation* msi = findLead(list, L"perf.gpu_msi");
  ASSERT_NE(msi, nullptr);
  EXPECT_EQ(msi->title, L"Включите MSI Mode для ");
  EXPECT_NE(msi->text.find(L"На вашей видеокарте это убирает"), std::wstring::npos);

  // A name that looks like a placeholder is copied, not expanded.
  p.gpuModern = true;
  p.gpuName = L"GPU {gpu_or_yours}";
  const auto withGpu = buildRecommendations(p, nothingApplied);
  const Recommendation* hags = findLead(withGpu, L"game.hwsch");
  ASSERT_NE(hags, nullptr);
  EXPECT_EQ(hags->text.rfind(L"Видеокарта \"GPU {gpu_or_yours}\" поддерживает", 0), 0u);
}

TEST_F(Recommendations, EmptyProfileKeepsOnlyHardwareIndependentAdvice) {
  const auto list = buildRecommendations(HardwareProfile{}, nothingApplied);
  EXPECT_EQ(leadIds(list), (std::vector<std::wstring>{
                               L"priv.telemetry", L"game.disable_gamedvr", L"power.high", L"net.no_throttling",
                               L"perf.priorityseparation", L"system.mouse_accel", L"net.vip.tcp_latency",
                               L"net.vip.disable_eee", L"system.show_ext", L"net.vip.intr_moderation"}));
}

TEST_F(Recommendations, PendingMeansNotAppliedOrUndeterminedOfTheFirstTweakWithTheId) {
  TweakCatalog catalog = {fake(L"a", TweakState::NotApplied),   fake(L"b", TweakState::Undetermined),
                          fake(L"c", TweakState::Applied),      fake(L"d", TweakState::Unavailable),
                          fake(L"e", TweakState::Applied),      fake(L"e", TweakState::NotApplied)};
  EXPECT_TRUE(isPending(catalog, L"a"));
  EXPECT_TRUE(isPending(catalog, L"b"));
  EXPECT_FALSE(isPending(catalog, L"c"));
  EXPECT_FALSE(isPending(catalog, L"d"));
  EXPECT_FALSE(isPending(catalog, L"e"));  // the first "e" decides
  EXPECT_FALSE(isPending(catalog, L"A"));  // ids are case-sensitive
  EXPECT_FALSE(isPending(catalog, L"missing"));
}

TEST_F(Recommendations, AnyPendingTweakOfACandidateKeepsIt) {
  TweakCatalog catalog = fakeCatalog(kAdviceIds, TweakState::Applied);
  EXPECT_TRUE(buildRecommendations(machineWith(test::rtx3070Desktop()), catalog).empty());

  // Telemetry stands while DiagTrack is undetermined; the network advice needs one of its first two.
  for (const auto& tweak : catalog) {
    auto* f = static_cast<test::FakeTweak*>(tweak.get());
    if (f->id == L"priv.diagtrack") f->state = TweakState::Undetermined;
    if (f->id == L"net.system_responsiveness") f->state = TweakState::Unavailable;
    if (f->id == L"net.tcp_nodelay") f->state = TweakState::NotApplied;
  }
  EXPECT_EQ(leadIds(buildRecommendations(detectHardware(), catalog)),
            (std::vector<std::wstring>{L"priv.telemetry"}));
  EXPECT_TRUE(buildRecommendations(HardwareProfile{}, TweakCatalog{}).empty());
}

TEST_F(Recommendations, HardwareConditionIsCheckedBeforeTheTweakIsQueried) {
  auto sysmain = fake(L"perf.sysmain", TweakState::NotApplied);
  auto power = fake(L"power.high", TweakState::NotApplied);
  HardwareProfile laptopWithHdd;
  laptopWithHdd.isLaptop = true;
  EXPECT_TRUE(buildRecommendations(laptopWithHdd, {sysmain, power}).empty());
  EXPECT_EQ(sysmain->queries + power->queries, 0);
}

}  // namespace
}  // namespace vx
