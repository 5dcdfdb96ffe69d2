// Cost of the hardware refresh (every 1.5 s on the UI thread) and of the score (every Home paint),
// each next to a bare loop doing the same platform reads. Natively the reads hit the simulated
// machine, under Wine the real registry. Prints medians and their ratio.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench_compare.h"
#include "core/catalog.h"
#include "catalog/build_catalog.h"
#include "core/reg_settings_tweak.h"
#include "base/text.h"
#include "hw/display_adapters.h"
#include "hw/hardware_profile.h"
#include "hw/recommendations.h"
#include "hw/system_score.h"
#include "platform/registry.h"
#include "platform/system.h"
#ifndef _WIN32
#include "platform/sim/machine.h"
#endif

namespace {

using vx::bench::compare;
using vx::bench::g_sink;
using vx::bench::kRounds;
using vx::bench::kRoundSeconds;
using vx::bench::median;
using vx::bench::roundNs;

// --- what detectHardware reads, without interpreting it ----------------------------------------

const std::wstring kCurrentVersionKey = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const std::wstring kProcessorKey = L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";

std::size_t bareRegistryReads() {
  std::size_t n = 0;
  n += vx::regReadString(vx::RegRoot::LocalMachine, kCurrentVersionKey, L"ProductName").value_or(L"").size();
  n += vx::regReadString(vx::RegRoot::LocalMachine, kCurrentVersionKey, L"DisplayVersion").value_or(L"").size();
  n += vx::regReadString(vx::RegRoot::LocalMachine, kProcessorKey, L"ProcessorNameString").value_or(L"").size();
  const std::wstring classKey = vx::kDisplayClassKey;
  for (const std::wstring& sub : vx::regEnumSubkeys(vx::RegRoot::LocalMachine, classKey, 256)) {
    const auto desc = vx::regReadString(vx::RegRoot::LocalMachine, classKey + L"\\" + sub, L"DriverDesc");
    if (desc && !desc->empty()) {
      n += desc->size();
      break;
    }
  }
  return n;
}

std::size_t bareHostReads() {
  std::size_t n = bareRegistryReads();
  n += vx::cpuVendor().size() + vx::logicalProcessorCount();
  if (const auto memory = vx::memoryStatus()) n += memory->loadPercent;
  n += vx::batteryFlag().value_or(0);
  if (const auto dir = vx::windowsDirectory())
    n += vx::volumeIncursSeekPenalty(dir->empty() ? L'C' : (*dir)[0]).value_or(true);
  return n;
}

#ifndef _WIN32
// An RTX 3070 desktop on the simulated machine, with a few display class subkeys to walk.
void buildSimulatedMachine() {
  vx::sim::Machine& m = vx::sim::machine();
  m.reset();
  m.setString(vx::RegRoot::LocalMachine, kCurrentVersionKey, L"ProductName", L"Windows 10 Pro");
  m.setString(vx::RegRoot::LocalMachine, kCurrentVersionKey, L"DisplayVersion", L"22H2");
  m.setString(vx::RegRoot::LocalMachine, kProcessorKey, L"ProcessorNameString", L"Intel(R) Core(TM) i7-4790K CPU @ 4.00GHz");
  m.setCpuVendor(L"GenuineIntel");
  const std::wstring classKey = vx::kDisplayClassKey;
  m.setString(vx::RegRoot::LocalMachine, classKey + L"\\0000", L"DriverDesc", L"NVIDIA GeForce RTX 3070");
  m.setString(vx::RegRoot::LocalMachine, classKey + L"\\0000", L"DriverVersion", L"31.0.15.3623");
  m.createKey(vx::RegRoot::LocalMachine, classKey + L"\\Configuration");
  m.createKey(vx::RegRoot::LocalMachine, classKey + L"\\Properties");
  m.setMemory(vx::MemoryStatus{16ull << 30, 8ull << 30, 50});
  m.setWindowsDirectory(std::wstring(L"C:\\Windows"));
  m.setSeekPenalty(L'C', false);
  m.setBatteryFlag(128);
}
#endif

// A catalogue of plain registry tweaks and the values they read, for the score's bare yardstick.
struct RegistryCatalogue {
  // The row kind reads its row through references: the rows live here, beside their tweaks and
  // destroyed after them.
  struct Row {
    std::wstring id, name;
    vx::RegSetting value;
    vx::RegistryRow row;
  };
  std::vector<std::unique_ptr<Row>> rows;
  vx::TweakCatalog catalog;
  std::vector<std::pair<std::wstring, std::wstring>> values;  // HKCU key, value name
};

constexpr const wchar_t* kBenchKey = L"Software\\VantorixBench";

RegistryCatalogue registryCatalogue(int count) {
  RegistryCatalogue r;
  const std::wstring key = kBenchKey;
  for (int i = 0; i < count; ++i) {
    const std::wstring name = L"Value" + std::to_wstring(i);
    if (i % 2 == 0) vx::regWriteDword(vx::RegRoot::CurrentUser, key, name, 1);
    auto& row = *r.rows.emplace_back(std::make_unique<RegistryCatalogue::Row>());
    row.id = L"bench." + std::to_wstring(i);
    row.name = name;
    row.value = {vx::RegRoot::CurrentUser, kBenchKey, row.name.c_str(), vx::dwordData(1), vx::kRevertDelete,
                 vx::kCheckEquals};
    row.row = {{row.id.c_str(), L"", L"", vx::TweakCategory::System}, {&row.value, 1}, vx::RowState::EveryValue};
    r.catalog.push_back(std::make_shared<vx::RegSettingsTweak>(row.row));
    r.values.emplace_back(key, name);
  }
  return r;
}

void removeRegistryCatalogue(const RegistryCatalogue& r) {
  for (const auto& [key, name] : r.values) vx::regDeleteValue(vx::RegRoot::CurrentUser, key, name);
}

}  // namespace

// The catalogue's most expensive state queries, to see where a score pass spends its time.
void printCostliestQueries(const vx::TweakCatalog& catalog, std::size_t count) {
  std::vector<std::pair<double, std::wstring>> costs;
  for (const auto& tweak : catalog) {
    std::vector<double> rounds;
    for (int r = 0; r < kRounds; ++r) rounds.push_back(roundNs([&] { g_sink = g_sink + static_cast<std::size_t>(tweak->queryState()); }, 3));
    costs.emplace_back(median(rounds), tweak->id);
  }
  std::sort(costs.begin(), costs.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  double total = 0;
  for (const auto& c : costs) total += c.first;
  std::printf("\ncostliest queryState calls (of %.2f us for the whole catalogue):\n", total / 1000);
  for (std::size_t i = 0; i < std::min(count, costs.size()); ++i)
    std::printf("  %-40s %10.2f us\n", vx::toUtf8(costs[i].second).c_str(), costs[i].first / 1000);
}

// The Windows build links with -municode, which wants the wide entry point.
#ifdef _WIN32
int wmain() {
#else
int main() {
#endif
#ifdef _WIN32
  std::printf("hw_bench: Windows build (real registry)\n");
#else
  std::printf("hw_bench: native build (simulated machine)\n");
  buildSimulatedMachine();
#endif
  std::printf("median of %d rounds of ~%.0f ms each\n\n", kRounds, kRoundSeconds * 1000);

  compare("detectHardware", [] { g_sink = g_sink + vx::detectHardware().gpuName.size(); },
          "bare registry reads (same values)", [] { g_sink = g_sink + bareRegistryReads(); });
  compare("detectHardware", [] { g_sink = g_sink + vx::detectHardware().gpuName.size(); },
          "bare reads + system calls (same calls)", [] { g_sink = g_sink + bareHostReads(); });

  const vx::TweakCatalog catalog = vx::buildCatalog();
  const std::string catalogName = "computeScore(buildCatalog, " + std::to_string(catalog.size()) + " tweaks)";
  compare(catalogName.c_str(), [&] { g_sink = g_sink + static_cast<std::size_t>(vx::computeScore(catalog).score); },
          "bare queryState over the catalogue", [&] {
            for (const auto& tweak : catalog) g_sink = g_sink + static_cast<std::size_t>(tweak->queryState());
          });

  const RegistryCatalogue registry = registryCatalogue(100);
  compare("computeScore(100 registry tweaks)",
          [&] { g_sink = g_sink + static_cast<std::size_t>(vx::computeScore(registry.catalog).score); },
          "bare regReadDword of the 100 values", [&] {
            for (const auto& [key, name] : registry.values)
              g_sink = g_sink + vx::regReadDword(vx::RegRoot::CurrentUser, key, name).value_or(0);
          });
  removeRegistryCatalogue(registry);

  // The tweaks a rebuild may query, looked up once, for the bare loop.
  const vx::HardwareProfile profile = vx::detectHardware();
  const std::vector<vx::TweakPtr> adviceTweaks = vx::findByIds(
      catalog, {L"priv.telemetry", L"priv.diagtrack", L"game.disable_gamedvr", L"perf.visualfx", L"perf.sysmain",
                L"system.ntfs_lastaccess", L"power.high", L"game.hwsch", L"net.no_throttling",
                L"net.system_responsiveness", L"perf.priorityseparation", L"system.mouse_accel", L"system.show_ext",
                L"perf.no_spectre_meltdown", L"perf.gpu_msi", L"perf.pcie_no_aspm", L"net.vip.tcp_latency",
                L"net.vip.disable_eee", L"net.vip.intr_moderation"});
  const std::string adviceBaseline = "bare queryState of the " + std::to_string(adviceTweaks.size()) + " advice tweaks";
  compare("buildRecommendations(buildCatalog)",
          [&] { g_sink = g_sink + vx::buildRecommendations(profile, catalog).size(); }, adviceBaseline.c_str(), [&] {
            for (const auto& tweak : adviceTweaks) g_sink = g_sink + static_cast<std::size_t>(tweak->queryState());
          });
  printCostliestQueries(catalog, 6);
  return 0;
}
