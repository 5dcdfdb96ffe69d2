// Every tweak of the catalogue, on a simulated gaming PC where each of them is available, writes on
// apply and on revert exactly what its changes() describes: nothing written that is not described,
// nothing described that is not written. The simulator's write log is the witness.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text.h"
#include "catalog/build_catalog.h"
#include "games/game_discovery.h"
#include "games/game_scenarios.h"
#include "platform/files.h"
#include "platform/system.h"
#include "support/hardware_scenarios.h"
#include "support/network_scenarios.h"
#include "support/sim_test.h"
#include "support/system_tools_sim.h"

namespace vx {
namespace {

constexpr const wchar_t* kLocal = L"C:\\Users\\Player\\AppData\\Local";

using Write = sim::Machine::Write;
using WriteKind = sim::Machine::Write::Kind;

std::string narrow(const std::wstring& text) { return toUtf8(text); }

RegValueImage imageOf(const sim::RegValue& value) {
  return RegValueImage::raw(static_cast<std::uint32_t>(value.type), value.data);
}

// Below the folder (not the folder itself), without regard to case.
bool liesBelow(const std::wstring& path, const std::wstring& folder) {
  return path.size() > folder.size() + 1 && equalsFolded(path.substr(0, folder.size()), folder) &&
         path[folder.size()] == L'\\';
}

enum class Step { Apply, Revert };

const wchar_t* stepName(Step step) { return step == Step::Apply ? L"apply" : L"revert"; }

// What the change leaves after this step; nothing when the step leaves the value alone.
std::optional<RegValueImage> imageAfter(const TweakChange& c, Step step) {
  if (step == Step::Apply) return c.onApply;
  if (c.keepsOnRevert) return std::nullopt;
  return c.onRevert;
}

const std::wstring& commandOf(const TweakChange& c, Step step) {
  return step == Step::Apply ? c.applyCommand : c.revertCommand;
}

bool isCommand(const TweakChange& c) { return c.kind == ChangeKind::Command || c.kind == ChangeKind::BootValue; }

// A logged write that this change describes for the step.
bool describes(const TweakChange& c, const Write& w, Step step) {
  const auto after = imageAfter(c, step);
  switch (w.kind) {
    case WriteKind::RegistryValue:
    case WriteKind::RegistryDelete: {
      if (c.kind != ChangeKind::RegistryValue || c.root != w.root || !equalsFolded(c.key, w.target) ||
          !equalsFolded(c.valueName, w.valueName) || !after)
        return false;
      return w.kind == WriteKind::RegistryDelete ? !after->present : *after == imageOf(w.value);
    }
    case WriteKind::ServiceStart:
      return c.kind == ChangeKind::ServiceStart && equalsFolded(c.key, w.target) && after &&
             *after == RegValueImage::dword(w.startType);
    case WriteKind::PowerScheme:
      return c.kind == ChangeKind::PowerScheme && after && *after == RegValueImage::string(guidText(w.scheme));
    case WriteKind::FileWritten:
    case WriteKind::FileRemoved:
      if (c.kind == ChangeKind::File) return equalsFolded(c.key, w.target) || equalsFolded(c.valueName, w.target);
      return c.kind == ChangeKind::FolderContents && step == Step::Apply && w.kind == WriteKind::FileRemoved &&
             liesBelow(w.target, c.key);
    case WriteKind::ProgramStarted:
    case WriteKind::ShellOpened:
      return isCommand(c) && !commandOf(c, step).empty() && commandOf(c, step) == w.target;
    case WriteKind::RegistryKeyTree:
      return false;
  }
  return false;
}

// A described change that this step must show in the log.
bool expectedInLog(const TweakChange& c, Step step) {
  switch (c.kind) {
    case ChangeKind::RegistryValue:
    case ChangeKind::ServiceStart:
    case ChangeKind::PowerScheme: return imageAfter(c, step).has_value();
    case ChangeKind::BootValue:
    case ChangeKind::Command: return !commandOf(c, step).empty();
    case ChangeKind::File: return true;  // apply writes the file; revert restores or removes it
    case ChangeKind::FolderContents: return step == Step::Apply;
  }
  return false;
}

// The logged write that the change needs for this step.
bool fulfils(const Write& w, const TweakChange& c, Step step) {
  if (c.kind == ChangeKind::File) {
    if (!equalsFolded(c.key, w.target)) return false;
    return step == Step::Apply ? w.kind == WriteKind::FileWritten
                               : w.kind == WriteKind::FileWritten || w.kind == WriteKind::FileRemoved;
  }
  return describes(c, w, step);
}

std::wstring writeText(const Write& w) {
  switch (w.kind) {
    case WriteKind::RegistryValue: return L"value " + w.target + L"\\" + w.valueName;
    case WriteKind::RegistryDelete: return L"deletion of " + w.target + L"\\" + w.valueName;
    case WriteKind::RegistryKeyTree: return L"key tree " + w.target;
    case WriteKind::ServiceStart: return L"start type " + std::to_wstring(w.startType) + L" of " + w.target;
    case WriteKind::PowerScheme: return L"power scheme " + guidText(w.scheme);
    case WriteKind::FileWritten: return L"file " + w.target;
    case WriteKind::FileRemoved: return L"removal of " + w.target;
    case WriteKind::ProgramStarted: return L"program " + w.target;
    case WriteKind::ShellOpened: return L"shell open " + w.target;
  }
  return L"?";
}

std::wstring changeText(const TweakChange& c) {
  if (isCommand(c)) return L"command " + c.applyCommand + L" / " + c.revertCommand;
  return L"change " + c.key + L"\\" + c.valueName;
}

// The differences between one step's log and the description, one line each; empty when they agree.
// Commands must also run in the described order.
std::vector<std::string> compareStep(const TweakChanges& described, const std::vector<Write>& log, Step step) {
  std::vector<std::string> faults;
  const std::wstring prefix = std::wstring(stepName(step)) + L": ";
  for (const Write& w : log) {
    bool found = false;
    for (const TweakChange& c : described) found = found || describes(c, w, step);
    if (!found) faults.push_back(narrow(prefix + L"written, not described: " + writeText(w)));
  }
  for (const TweakChange& c : described) {
    if (!expectedInLog(c, step)) continue;
    bool found = false;
    for (const Write& w : log) found = found || fulfils(w, c, step);
    if (!found) faults.push_back(narrow(prefix + L"described, not written: " + changeText(c)));
  }
  std::vector<std::wstring> ran, listed;
  for (const Write& w : log)
    if (w.kind == WriteKind::ProgramStarted || w.kind == WriteKind::ShellOpened) ran.push_back(w.target);
  for (const TweakChange& c : described)
    if (isCommand(c) && !commandOf(c, step).empty()) listed.push_back(commandOf(c, step));
  if (faults.empty() && ran != listed) faults.push_back(narrow(prefix + L"commands ran in another order"));
  return faults;
}

struct StepLogs {
  std::vector<Write> apply, revert;
};

StepLogs applyAndRevert(sim::Machine& m, Tweak& tweak) {
  StepLogs logs;
  m.recordWrites();
  tweak.apply();
  logs.apply = m.writes();
  m.recordWrites();
  tweak.revert();
  logs.revert = m.writes();
  m.recordWrites(false);
  return logs;
}

std::vector<std::string> compareBoth(const TweakChanges& described, const StepLogs& logs) {
  auto faults = compareStep(described, logs.apply, Step::Apply);
  for (auto& f : compareStep(described, logs.revert, Step::Revert)) faults.push_back(std::move(f));
  return faults;
}

// A desktop on which every tweak of the catalogue is available: Windows 11, an RTX 3070 with its
// PCI device, an Intel and a Realtek network card, Windows' tools, the five games with their config
// folders, shader caches with files in them, the NVIDIA control panel and OneDrive starting with
// Windows.
class TweakChangesTest : public test::SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    machine.setWindowsVersion({10, 0, 22631});
    test::addRtx3070(machine);
    const std::wstring intel = test::addNetworkAdapter(machine, L"0001", L"Intel(R) Ethernet Connection (7) I219-V",
                                                      L"{6A0B1E4C-0001-4C2B-9F11-000000000001}", test::kNcfPhysical);
    const std::wstring realtek = test::addNetworkAdapter(machine, L"0002", L"Realtek PCIe GbE Family Controller",
                                                        L"{6A0B1E4C-0002-4C2B-9F11-000000000002}", test::kNcfPhysical);
    machine.setString(RegRoot::LocalMachine, intel, L"*EEE", L"1");
    machine.setString(RegRoot::LocalMachine, realtek, L"*EEE", L"1");
    test::installSystemTools(machine);
    test::installBcdedit(machine);
    for (const wchar_t* tool : {L"powercfg.exe", L"netsh.exe", L"dism.exe"})
      machine.addProgram(std::wstring(L"C:\\Windows\\system32\\") + tool, 0);

    test::installRust();
    const auto cs2 = test::installCs2UnderProgramFilesX86();
    test::putFile(cs2.cfgDir + L"\\autoexec.cfg", "fps_max 200\r\n");
    test::installTwoRobloxVersions(machine);
    test::putFile(L"C:\\Program Files\\Epic Games\\ArcRaiders\\Binaries\\ARC-Win64-Shipping.exe", "MZ");
    test::putFile(L"D:\\SteamLibrary\\steamapps\\common\\PUBG\\TslGame\\Binaries\\Win64\\TslGame.exe", "MZ");
    test::putFile(std::wstring(kLocal) + L"\\Arc\\Saved\\Config\\WindowsClient\\Engine.ini",
                  "[SystemSettings]\r\nr.MotionBlurQuality=4\r\n");
    createDirectories(std::wstring(kLocal) + L"\\TslGame\\Saved\\Config\\WindowsNoEditor");

    for (const wchar_t* cache : {L"D3DSCache", L"NVIDIA\\DXCache", L"NVIDIA\\GLCache", L"AMD\\DxCache", L"AMD\\GLCache"})
      test::putFile(std::wstring(kLocal) + L"\\" + cache + L"\\shader.bin", "cache");
    test::putFile(L"C:\\Program Files\\NVIDIA Corporation\\Control Panel Client\\nvcplui.exe", "MZ");
    machine.setString(RegRoot::CurrentUser, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", L"OneDrive",
                      L"C:\\Users\\Player\\AppData\\Local\\Microsoft\\OneDrive\\OneDrive.exe /background");
  }

  TweakPtr find(const TweakCatalog& catalog, const std::wstring& id) {
    for (const TweakPtr& t : catalog)
      if (t->id == id) return t;
    ADD_FAILURE() << "no tweak " << narrow(id);
    return nullptr;
  }

  GameDiscovery discovery{steadyNanoseconds};
};

}  // namespace

TEST_F(TweakChangesTest, EveryTweakWritesExactlyWhatItDescribes) {
  const TweakCatalog catalog = buildCatalog(discovery);
  for (const TweakPtr& tweak : catalog) {
    SCOPED_TRACE(narrow(tweak->id));
    ASSERT_NE(tweak->queryState(), TweakState::Unavailable) << narrow(tweak->compatibilityNote());
    const TweakChanges described = tweak->changes();
    const StepLogs logs = applyAndRevert(machine, *tweak);
    const auto faults = compareBoth(described, logs);
    for (const std::string& fault : faults) ADD_FAILURE() << fault;
    if (faults.empty()) continue;
    for (const Write& w : logs.apply) ADD_FAILURE() << "apply wrote " << narrow(writeText(w));
    for (const Write& w : logs.revert) ADD_FAILURE() << "revert wrote " << narrow(writeText(w));
  }
}

// The check itself catches a description that is wrong in each of the ways that matter: a value,
// a missing entry, an entry that nothing writes, a value revert is said to keep, a command line.
TEST_F(TweakChangesTest, AWrongDescriptionIsCaught) {
  struct Case {
    const char* name;
    const wchar_t* id;
    void (*spoil)(TweakChanges&);
    const char* fault;  // the start of the first fault reported
  };
  const Case cases[] = {
      {"wrong applied value", L"game.disable_gamedvr",
       [](TweakChanges& c) { c[1].onApply = RegValueImage::dword(3); }, "apply: written, not described: value"},
      {"wrong revert value", L"net.no_throttling",
       [](TweakChanges& c) { c[0].onRevert = RegValueImage::absent(); }, "revert: written, not described: value"},
      {"entry left out", L"priv.telemetry", [](TweakChanges& c) { c.pop_back(); },
       "apply: written, not described: value"},
      {"entry nothing writes", L"system.long_paths",
       [](TweakChanges& c) { c.push_back(registryChange(RegRoot::LocalMachine, L"SOFTWARE\\X", L"Y",
                                                        RegValueImage::dword(1), RegValueImage::absent())); },
       "apply: described, not written: change SOFTWARE\\X\\Y"},
      {"revert said to keep a value it resets", L"game.mouse_raw",
       [](TweakChanges& c) { c[0].keepsOnRevert = true; }, "revert: written, not described: value"},
      {"wrong boot command", L"perf.hpet_off",
       [](TweakChanges& c) { c[1].applyCommand += L" "; }, "apply: written, not described: program"},
      {"service start type", L"perf.sysmain",
       [](TweakChanges& c) { c[0].onApply = RegValueImage::dword(3); }, "apply: written, not described: start type"},
      {"file of another game", L"game.rust.visuals",
       [](TweakChanges& c) { c[0].key += L".old"; }, "apply: written, not described: file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    const TweakCatalog catalog = buildCatalog(discovery);
    const TweakPtr tweak = find(catalog, c.id);
    ASSERT_NE(tweak, nullptr);
    TweakChanges described = tweak->changes();
    ASSERT_FALSE(described.empty());
    c.spoil(described);
    const auto faults = compareBoth(described, applyAndRevert(machine, *tweak));
    ASSERT_FALSE(faults.empty());
    EXPECT_EQ(faults.front().rfind(c.fault, 0), 0u) << faults.front();
  }
}

// A tweak whose description follows the devices enumerated now: a second adapter adds its values.
TEST_F(TweakChangesTest, PerDeviceDescriptionsFollowTheDevicesFoundNow) {
  const TweakCatalog catalog = buildCatalog(discovery);
  const TweakPtr tcp = find(catalog, L"net.vip.tcp_latency");
  ASSERT_NE(tcp, nullptr);
  EXPECT_EQ(tcp->changes().size(), 6u);  // three values on each of the two cards
  test::addNetworkAdapter(machine, L"0003", L"Killer E2600 Gigabit Ethernet Controller",
                          L"{6A0B1E4C-0003-4C2B-9F11-000000000003}", test::kNcfPhysical);
  const TweakChanges after = tcp->changes();
  ASSERT_EQ(after.size(), 9u);
  EXPECT_EQ(after.back().key, test::tcpipInterfaceKey(L"{6A0B1E4C-0003-4C2B-9F11-000000000003}"));
}

}  // namespace vx
