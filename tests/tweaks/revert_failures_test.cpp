// Reverts that write or delete registry values report a refused write or delete as a failure, and
// count a value that is already missing as deleted. One table over the catalogue, on a simulated
// PC with an NVIDIA card and an Intel network card.
#include <gtest/gtest.h>

#include <string>

#include "base/text.h"
#include "catalog/build_catalog.h"
#include "core/catalog.h"
#include "hw/display_adapters.h"
#include "hw/network_adapters.h"
#include "platform/sim/machine.h"
#include "support/network_scenarios.h"
#include "support/system_tools_sim.h"

namespace vx {
namespace {

constexpr RegRoot HKLM = RegRoot::LocalMachine;
constexpr RegRoot HKCU = RegRoot::CurrentUser;

const wchar_t* const kNicGuid = L"{5B0C8E51-3D7A-4C4B-9E0F-1A2B3C4D5E6F}";
const wchar_t* const kMsiKeyTail =
    L"\\Device Parameters\\Interrupt Management\\MessageSignaledInterruptProperties";

struct RefusedRevert {
  const wchar_t* id;
  RegRoot root;
  std::wstring key;  // "@gpu" for the GPU's PCI instance MSI key
  // Denied altogether, or readable but not writable (keys the tweak must still read to find its
  // targets, such as an adapter's DriverDesc).
  bool readOnly = false;
};

class RevertFailures : public ::testing::Test {
 protected:
  void SetUp() override {
    auto& m = sim::machine();
    m.reset();
    test::installSystemTools(m);
    gpu = test::addRtx3070(m);
    nicKey = test::addNetworkAdapter(m, L"0001", L"Intel(R) Ethernet Connection (7) I219-V", kNicGuid);
    catalog = buildCatalog();
  }
  Tweak& tweak(const std::wstring& id) {
    const TweakPtr found = findById(catalog, id);
    if (!found) throw std::runtime_error("missing tweak " + toUtf8(id));
    return *found;
  }
  test::GpuScene gpu;
  std::wstring nicKey;
  TweakCatalog catalog;
};

TEST_F(RevertFailures, ARefusedWriteOrDeleteFailsTheRevertAMissingValueDoesNot) {
  const std::wstring ifeo = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options\\cs2.exe";
  const std::wstring memory = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
  const std::wstring graphics = L"SYSTEM\\CurrentControlSet\\Control\\GraphicsDrivers";
  const std::wstring marker = L"SOFTWARE\\Vantorix";
  const RefusedRevert cases[] = {
      {L"game.ifeo.cs2.exe", HKLM, ifeo + L"\\PerfOptions"},
      {L"game.mit.cs2.exe", HKLM, ifeo},
      {L"perf.no_spectre_meltdown", HKLM, memory},
      {L"perf.system_cache", HKLM, memory},
      {L"game.kill_gamebar", HKCU, L"System\\GameConfigStore"},
      {L"perf.fso_off", HKCU, L"System\\GameConfigStore"},
      {L"game.mouse_raw", HKCU, L"Control Panel\\Mouse"},
      {L"game.nv_no_ulps", HKLM, std::wstring(kDisplayClassKey) + L"\\0000", true},
      {L"perf.nv_pstate", HKLM, std::wstring(kDisplayClassKey) + L"\\0000", true},
      {L"perf.gpu_msi", HKLM, L"@gpu"},
      {L"perf.shader_cache", HKLM, graphics},
      {L"pro.gpu_tdr", HKLM, graphics},
      {L"pro.mmcss_gaming", HKLM, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Multimedia\\SystemProfile\\Tasks\\Games"},
      {L"pro.no_cortana", HKLM, L"SOFTWARE\\Policies\\Microsoft\\Windows\\Windows Search"},
      {L"pro.no_reserved_storage", HKLM, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ReserveManager"},
      {L"perf.usb_power", HKLM, L"SYSTEM\\CurrentControlSet\\Services\\USB"},
      {L"net.vip.tcp_latency", HKLM, std::wstring(kTcpipInterfacesKey) + L"\\" + kNicGuid},
      {L"net.vip.intr_moderation", HKLM, std::wstring(kNetworkClassKey) + L"\\0001", true},
      {L"net.vip.disable_eee", HKLM, std::wstring(kNetworkClassKey) + L"\\0001", true},
      {L"sys.pause_winupdate", HKLM, L"SOFTWARE\\Microsoft\\WindowsUpdate\\UX\\Settings"},
      {L"sys.no_edge_bg", HKLM, L"SOFTWARE\\Policies\\Microsoft\\Edge"},
      {L"perf.bcd_hpet", HKLM, marker},
      {L"perf.hpet_off", HKLM, marker},
      {L"perf.pcie_no_aspm", HKLM, marker},
      {L"pro.no_memcomp", HKLM, marker},
      {L"pro.tcp_autotune", HKLM, marker},
      {L"clean.dism_winsxs", HKLM, marker},
  };
  auto& m = sim::machine();
  for (const RefusedRevert& c : cases) {
    SCOPED_TRACE(toUtf8(c.id));
    SetUp();
    Tweak& t = tweak(c.id);
    // Nothing was ever applied: every value to delete is missing, every write goes through.
    EXPECT_TRUE(t.revert());

    SetUp();
    Tweak& refused = tweak(c.id);
    refused.apply();  // whatever a tool-based apply manages; its values are there or not
    const std::wstring key = c.key == L"@gpu" ? gpu.instancePath + kMsiKeyTail : c.key;
    if (c.readOnly)
      m.denyKeyWrites(c.root, key);
    else
      m.denyKeyAccess(c.root, key);
    EXPECT_FALSE(refused.revert());
  }
}

}  // namespace
}  // namespace vx
