// The five advanced groups as the catalogue sees them: ids in builder order with page, flags and
// own tier; warnings only on aggressive tweaks; and queryState over the whole catalogue leaving the
// machine untouched.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/build_catalog.h"
#include "platform/process.h"
#include "platform/sim/machine.h"
#include "support/hardware_scenarios.h"
#include "support/network_scenarios.h"
#include "tweaks/group_builders.h"

namespace vx {
namespace {

using Builder = void (*)(TweakCatalog&);

struct Row {
  const wchar_t* id;
  TweakCategory category;
  bool aggressive;
  bool reboot;
  int tier;
};

constexpr TweakCategory Pro = TweakCategory::Pro;
constexpr TweakCategory Net = TweakCategory::Network;
constexpr TweakCategory Sys = TweakCategory::System;

struct Group {
  const char* name;
  Builder build;
  std::vector<Row> rows;
};

std::vector<Group> groups() {
  return {
      {"interrupt", appendInterruptGroup,
       {{L"perf.gpu_msi", Pro, true, true, 0},
        {L"perf.pcie_no_aspm", Pro, true, false, 0},
        {L"perf.no_spectre_meltdown", Pro, true, true, 0}}},
      {"latency", appendLatencyGroup,
       {{L"perf.usb_power", Pro, false, false, 0},
        {L"perf.bcd_hpet", Pro, true, true, 0},
        {L"perf.fso_off", Pro, false, false, 0},
        {L"perf.shader_cache", Pro, false, false, 0},
        {L"perf.nv_pstate", Pro, false, false, 0},
        {L"perf.rebar_status", Pro, false, false, 0},
        {L"perf.system_cache", Pro, false, false, 0},
        {L"perf.dyn_priority", Pro, false, false, 0},
        {L"perf.hags", Pro, false, true, 0},
        {L"perf.hpet_off", Pro, true, true, 0},
        {L"clean.dism_winsxs", Pro, true, false, 0}}},
      {"extended", appendExtendedGroup,
       {{L"pro.mmcss_gaming", Pro, false, false, 0},
        {L"pro.no_throttle", Pro, true, false, 0},
        {L"pro.gpu_tdr", Pro, true, true, 0},
        {L"pro.no_cortana", Pro, false, false, 0},
        {L"pro.no_memcomp", Pro, true, false, 0},
        {L"pro.tcp_autotune", Pro, false, false, 0},
        {L"pro.no_reserved_storage", Pro, true, false, 0}}},
      {"services", appendServiceUpdateGroup,
       {{L"sys.maps_no_autoupdate", Sys, false, false, 2},
        {L"sys.store_no_autoupdate", Sys, false, false, 2},
        {L"sys.no_indexing", Sys, false, false, 2},
        {L"sys.no_ndu", Sys, false, true, 3},
        {L"sys.pause_winupdate", Sys, true, false, 2},
        {L"sys.no_delivery_opt", Sys, false, false, 2},
        {L"sys.no_edge_bg", Sys, false, false, 2},
        {L"sys.no_onedrive", Sys, false, false, 2}}},
      {"network", appendNetworkAdapterGroup,
       {{L"net.vip.tcp_latency", Net, false, true, 0},
        {L"net.vip.intr_moderation", Pro, true, true, 0},
        {L"net.vip.disable_eee", Pro, true, true, 0}}},
  };
}

class TweakGroupsTest : public ::testing::Test {
 protected:
  void SetUp() override { sim::machine().reset(); }
  sim::Machine& m = sim::machine();
};

TEST_F(TweakGroupsTest, BuildersAppendTheirTweaksInOrderWithPageFlagsAndTier) {
  for (const Group& g : groups()) {
    SCOPED_TRACE(g.name);
    TweakCatalog catalog;
    catalog.push_back(nullptr);  // a builder only appends
    g.build(catalog);
    ASSERT_EQ(catalog.size(), g.rows.size() + 1);
    EXPECT_EQ(catalog.front(), nullptr);
    for (std::size_t i = 0; i < g.rows.size(); ++i) {
      const Tweak& t = *catalog[i + 1];
      const Row& r = g.rows[i];
      EXPECT_EQ(t.id, r.id);
      EXPECT_EQ(t.category, r.category) << t.id;
      EXPECT_EQ(t.isAggressive(), r.aggressive) << t.id;
      EXPECT_EQ(t.needsReboot(), r.reboot) << t.id;
      EXPECT_EQ(t.tier(), r.tier) << t.id;
      EXPECT_FALSE(t.title.empty()) << t.id;
      EXPECT_FALSE(t.description.empty()) << t.id;
      // The badge tooltip explains every aggressive tweak and only those.
      EXPECT_EQ(t.aggressiveWarning().empty(), !t.isAggressive()) << t.id;
      // Only the service and update tweaks say what stops working.
      EXPECT_EQ(t.sideEffects().empty(), t.category != Sys) << t.id;
    }
  }
}

// A machine with something for every tweak to look at: GPUs with PCI instances, network cards,
// the tools, markers and applied values.
void buildBusyMachine(sim::Machine& m) {
  test::addRtx3070(m, L"0000");
  test::addRx6800(m, L"0001");
  test::addDisplayAdapter(m, L"0002", L"Microsoft Basic Display Adapter");
  test::addNetworkAdapter(m, L"0001", L"Intel(R) Ethernet Controller I225-V", L"{6A1F0B1E-7C1D-4F7A-9E0B-3B0F8C2D1A01}");
  test::addNetworkAdapter(m, L"0002", L"Realtek PCIe GbE Family Controller", L"{0B5C7E2A-1D3F-4E6B-8A9C-2F1E0D3C4B02}");
  for (const wchar_t* tool : {L"powercfg.exe", L"bcdedit.exe", L"dism.exe", L"netsh.exe", L"reg.exe"})
    m.addProgram(systemToolPath(tool), 0);
  m.addProgram(systemToolPath(L"WindowsPowerShell\\v1.0\\powershell.exe"), 0);
  for (const wchar_t* marker : {L"PciAspmDisabled", L"BcdHpetApplied", L"HpetOff", L"DismCleanupRun"})
    m.setDword(RegRoot::LocalMachine, L"SOFTWARE\\Vantorix", marker, 1);
}

TEST_F(TweakGroupsTest, QueryingTheWholeCatalogueChangesNothing) {
  for (bool busy : {false, true}) {
    SCOPED_TRACE(busy ? "busy machine" : "fresh machine");
    m.reset();
    if (busy) buildBusyMachine(m);
    const TweakCatalog catalog = buildCatalog();
    ASSERT_FALSE(catalog.empty());
    const auto writes = m.registryWrites();
    const auto started = m.startedPrograms().size();
    const auto stops = m.stopRequests().size();
    for (const TweakPtr& t : catalog) {
      t->queryState();
      t->backupKeys();
      t->compatibilityNote();
      EXPECT_EQ(m.registryWrites(), writes) << t->id;
      EXPECT_EQ(m.startedPrograms().size(), started) << t->id;
    }
    EXPECT_EQ(m.stopRequests().size(), stops);
    EXPECT_EQ(m.serviceStart(L"WSearch"), 2u);
  }
}

}  // namespace
}  // namespace vx
