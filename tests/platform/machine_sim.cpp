// The simulated machine beyond the shared contract: its defaults, the control API that tests build
// scenes with, and the Windows behaviour the contract suite cannot set up through the platform
// layer (denied keys, hive order, programs that outlive their time-out, the clocks, path mapping).
#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/files.h"
#include "platform/performance.h"
#include "platform/power.h"
#include "platform/privileges.h"
#include "platform/process.h"
#include "platform/registry.h"
#include "platform/restore_point.h"
#include "platform/services.h"
#include "platform/system.h"
#include "platform/system_tool.h"
#include "support/sim_test.h"

namespace vx {
namespace {

bool exitsZero(const std::wstring& commandLine, std::uint32_t timeoutMs) {
  return runHiddenProcess(commandLine, timeoutMs) == ChildExit::ExitedZero;
}

namespace fs = std::filesystem;
using sim::RegType;
using test::SimTest;

constexpr auto HKLM = RegRoot::LocalMachine;
constexpr auto HKCU = RegRoot::CurrentUser;
constexpr const wchar_t* kCurrentVersion = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr const wchar_t* kSystemRestore = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\SystemRestore";

// --- fresh machine -------------------------------------------------------------------------------

using FreshMachine = SimTest;

TEST_F(FreshMachine, IsAWindows10DesktopWithAnSsd) {
  EXPECT_EQ(getWindowsVersion(), (WindowsVersion{10, 0, 19045}));
  EXPECT_EQ(systemDirectory(), L"C:\\Windows\\system32");
  EXPECT_EQ(windowsDirectory(), L"C:\\Windows");
  EXPECT_EQ(tempDirectory(), L"C:\\Users\\Player\\AppData\\Local\\Temp\\");
  EXPECT_EQ(programDataFolder(), L"C:\\ProgramData");
  EXPECT_EQ(localTime(), (CalendarTime{2026, 3, 10, 14, 5, 9, 0}));
  EXPECT_EQ(utcTime(), localTime());
  ASSERT_TRUE(memoryStatus().has_value());
  EXPECT_EQ(memoryStatus()->totalPhysBytes, 16ULL << 30);
  EXPECT_EQ(cpuVendor(), L"GenuineIntel");
  EXPECT_EQ(logicalProcessorCount(), 8u);
  EXPECT_EQ(batteryFlag(), std::uint8_t{128});
  EXPECT_EQ(volumeIncursSeekPenalty(L'C'), false);
  EXPECT_EQ(volumeIncursSeekPenalty(L'c'), false);
  EXPECT_FALSE(volumeIncursSeekPenalty(L'D').has_value()) << "no D: volume";
  EXPECT_EQ(activePowerScheme(), kBalancedScheme);
  EXPECT_EQ(setSystemRestorePoint(L"x", {}), RestorePointOutcome::Created);
}

TEST_F(FreshMachine, HasATypicalRegistryAndServiceSet) {
  EXPECT_EQ(regReadString(HKLM, kCurrentVersion, L"ProductName"), L"Windows 10 Pro");
  EXPECT_EQ(regReadString(HKLM, kCurrentVersion, L"DisplayVersion"), L"22H2");
  EXPECT_EQ(regReadString(HKLM, L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", L"ProcessorNameString"),
            L"Intel(R) Core(TM) i7-9700K CPU @ 3.60GHz");
  EXPECT_EQ(regEnumSubkeys(HKLM, L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor").size(), 8u);
  // The mouse values are text on a real installation, so they are no DWORDs.
  EXPECT_EQ(regReadString(HKCU, L"Control Panel\\Mouse", L"MouseSpeed"), L"1");
  EXPECT_FALSE(regReadDword(HKCU, L"Control Panel\\Mouse", L"MouseSpeed").has_value());
  // Class keys list their "Properties" subkey, which cannot be opened.
  const std::wstring displayClass =
      L"SYSTEM\\CurrentControlSet\\Control\\Class\\{4d36e968-e325-11ce-bfc1-08002be10318}";
  EXPECT_EQ(regEnumSubkeys(HKLM, displayClass), std::vector<std::wstring>{L"Properties"});
  EXPECT_FALSE(regKeyExists(HKLM, displayClass + L"\\Properties"));

  struct Service {
    const wchar_t* name;
    int startType;
  };
  for (const Service& s : {Service{L"Spooler", 2}, Service{L"SysMain", 2}, Service{L"DiagTrack", 2},
                           Service{L"WSearch", 2}, Service{L"wuauserv", 3}})
    EXPECT_EQ(serviceStartType(s.name), s.startType) << s.name;
  EXPECT_TRUE(machine.serviceRunning(L"SysMain"));
  EXPECT_FALSE(machine.serviceRunning(L"wuauserv"));
}

TEST_F(FreshMachine, HasTheUsualEnvironmentAndFolders) {
  struct Var {
    const wchar_t* name;
    const wchar_t* value;
  };
  for (const Var& v : {Var{L"SystemDrive", L"C:"}, Var{L"SystemRoot", L"C:\\Windows"},
                       Var{L"LOCALAPPDATA", L"C:\\Users\\Player\\AppData\\Local"},
                       Var{L"APPDATA", L"C:\\Users\\Player\\AppData\\Roaming"},
                       Var{L"TEMP", L"C:\\Users\\Player\\AppData\\Local\\Temp"},
                       Var{L"ProgramFiles(x86)", L"C:\\Program Files (x86)"}})
    EXPECT_EQ(environmentVariable(v.name), v.value) << v.name;
  for (const auto* folder : {L"C:\\Windows\\system32", L"C:\\ProgramData", L"C:\\Program Files (x86)",
                             L"C:\\Users\\Player\\AppData\\Local\\Temp"})
    EXPECT_EQ(fileStatus(folder).kind, FileKind::Directory) << folder;
  EXPECT_FALSE(exitsZero(L"C:\\Windows\\system32\\reg.exe /?", 1000)) << "no programs on a fresh machine";
  EXPECT_EQ(machine.registryWrites(), 0u);
}

TEST_F(FreshMachine, ResetForgetsEverythingAndReplacesTheFileRoot) {
  machine.setDword(HKLM, L"SOFTWARE\\Vantorix", L"x", 1);
  machine.addProgram(L"C:\\t.exe", 0);
  machine.setWindowsVersion({6, 1, 7601});
  machine.advanceMs(5000);
  ASSERT_TRUE(writeFileBytes(L"C:\\ProgramData\\note.txt", "n"));
  const fs::path oldRoot = machine.root();

  machine.reset();
  EXPECT_FALSE(machine.keyExists(HKLM, L"SOFTWARE\\Vantorix"));
  EXPECT_FALSE(exitsZero(L"C:\\t.exe", 100));
  EXPECT_EQ(getWindowsVersion().major, 10u);
  EXPECT_EQ(localTime().second, 9);
  EXPECT_EQ(fileStatus(L"C:\\ProgramData\\note.txt").kind, FileKind::Missing);
  EXPECT_NE(machine.root(), oldRoot);
  EXPECT_FALSE(fs::exists(oldRoot));
}

TEST(SimMachineLifetime, OwnMachineRemovesItsRootWhenDestroyed) {
  fs::path root;
  {
    sim::Machine own;
    root = own.root();
    ASSERT_TRUE(fs::is_directory(root / "C" / "Windows" / "system32"));
    EXPECT_NE(root, sim::machine().root()) << "every machine has its own folder";
  }
  EXPECT_FALSE(fs::exists(root));
}

// --- registry ------------------------------------------------------------------------------------

using SimRegistry = SimTest;

TEST_F(SimRegistry, DeniedKeyCannotBeOpenedForAnything) {
  const std::wstring key = L"SOFTWARE\\Test\\Locked";
  machine.setDword(HKLM, key, L"v", 7);
  machine.setDword(HKLM, key + L"\\Child", L"v", 8);
  machine.denyKeyAccess(HKLM, key);

  EXPECT_FALSE(regReadDword(HKLM, key, L"v").has_value());
  EXPECT_FALSE(regKeyExists(HKLM, key));
  EXPECT_FALSE(regKeyReadable(HKLM, key));
  EXPECT_FALSE(regKeyAbsent(HKLM, key)) << "refused is not missing";
  EXPECT_TRUE(regEnumSubkeys(HKLM, key).empty());
  EXPECT_FALSE(regWriteDword(HKLM, key, L"v", 1));
  EXPECT_FALSE(regWriteDword(HKLM, key + L"\\New", L"v", 1)) << "no subkey can be created in it";
  EXPECT_FALSE(regDeleteValue(HKLM, key, L"v")) << "the value may still be there: no success";
  EXPECT_EQ(machine.dword(HKLM, key, L"v"), 7u) << "the control API sees through the denial";
  EXPECT_FALSE(machine.keyExists(HKLM, key + L"\\New"));

  // Windows checks access on the key that is opened, not on its parents.
  EXPECT_EQ(regReadDword(HKLM, key + L"\\Child", L"v"), 8u);
  EXPECT_EQ(regEnumSubkeys(HKLM, L"SOFTWARE\\Test"), std::vector<std::wstring>{L"Locked"}) << "still listed";
}

TEST_F(SimRegistry, CountersSeparateWritesFromReads) {
  regReadDword(HKLM, kCurrentVersion, L"UBR");
  regReadString(HKLM, kCurrentVersion, L"ProductName");
  regKeyExists(HKLM, kCurrentVersion);
  regEnumSubkeys(HKLM, L"SOFTWARE");
  EXPECT_EQ(machine.registryWrites(), 0u);
  EXPECT_EQ(machine.registryReads(), 2u) << "value reads only";

  regWriteDword(HKCU, L"Software\\A", L"v", 1);
  regWriteString(HKCU, L"Software\\A", L"s", L"x");
  regDeleteValue(HKCU, L"Software\\Missing", L"v");  // an attempt counts even when nothing was there
  machine.setDword(HKCU, L"Software\\A", L"w", 2);   // the control API does not count
  EXPECT_EQ(machine.registryWrites(), 3u);
}

TEST_F(SimRegistry, SubkeysSortByUpperCaseLikeAHive) {
  // Upper-casing puts "_" (0x5F) after the letters and Ё before А; lower-casing would not.
  for (const auto* name : {L"_under", L"b", L"A", L"Zulu", L"яблоко", L"Арбуз", L"Ёж", L"a1"})
    machine.createKey(HKCU, std::wstring(L"Software\\Order\\") + name);
  EXPECT_EQ(regEnumSubkeys(HKCU, L"Software\\Order"),
            (std::vector<std::wstring>{L"A", L"a1", L"b", L"Zulu", L"_under", L"Ёж", L"Арбуз", L"яблоко"}));
}

TEST_F(SimRegistry, KeyNamesLongerThan255CharactersCannotBeCreated) {
  EXPECT_TRUE(regWriteDword(HKCU, L"Software\\Long\\" + std::wstring(255, L'k'), L"v", 1));
  EXPECT_FALSE(regWriteDword(HKCU, L"Software\\Long\\" + std::wstring(256, L'k'), L"v", 1));
  EXPECT_EQ(regEnumSubkeys(HKCU, L"Software\\Long").size(), 1u) << "the failed write left no key behind";
}

TEST_F(SimRegistry, ControlApiStoresRawBytes) {
  machine.setString(HKCU, L"Software\\Raw", L"s", L"Ab", RegType::ExpandSz);
  const auto raw = machine.value(HKCU, L"Software\\Raw", L"S");
  ASSERT_TRUE(raw.has_value());
  EXPECT_EQ(raw->type, RegType::ExpandSz);
  EXPECT_EQ(raw->data, (std::vector<std::uint8_t>{'A', 0, 'b', 0, 0, 0})) << "UTF-16LE with its terminator";

  ASSERT_TRUE(regWriteString(HKCU, L"Software\\Raw", L"emoji", L"\U0001F3AE"));
  EXPECT_EQ(machine.value(HKCU, L"Software\\Raw", L"emoji")->data,
            (std::vector<std::uint8_t>{0x3C, 0xD8, 0xAE, 0xDF, 0, 0}))
      << "a surrogate pair, as Windows stores it";

  machine.setQword(HKCU, L"Software\\Raw", L"q", 0x0102030405060708ULL);
  EXPECT_EQ(machine.value(HKCU, L"Software\\Raw", L"q")->data.size(), 8u);
  EXPECT_FALSE(machine.dword(HKCU, L"Software\\Raw", L"q").has_value());

  machine.deleteKey(HKCU, L"software\\RAW");
  EXPECT_FALSE(machine.keyExists(HKCU, L"Software\\Raw"));
}

// --- services ------------------------------------------------------------------------------------

using SimServices = SimTest;

TEST_F(SimServices, StopIsRecordedAndOnlyARunningServiceStops) {
  EXPECT_TRUE(stopService(L"sysmain"));
  EXPECT_FALSE(machine.serviceRunning(L"SysMain"));
  EXPECT_FALSE(stopService(L"SysMain")) << "already stopped: ERROR_SERVICE_NOT_ACTIVE";
  EXPECT_FALSE(stopService(L"NoSuchService"));
  EXPECT_EQ(machine.stopRequests(), (std::vector<std::wstring>{L"sysmain", L"SysMain"}));
  EXPECT_EQ(serviceStartType(L"SysMain"), 2) << "stopping does not change the start type";
}

TEST_F(SimServices, FailuresCanBeInjected) {
  machine.failServiceChanges(L"Spooler");
  EXPECT_FALSE(setServiceStartType(L"Spooler", kServiceDisabled));
  EXPECT_FALSE(setServiceStartType(L"Spooler", kServiceDisabled)) << "until lifted";
  EXPECT_EQ(machine.serviceStart(L"Spooler"), 2u);
  machine.failServiceChanges(L"Spooler", false);
  EXPECT_TRUE(setServiceStartType(L"Spooler", kServiceDisabled));

  machine.failServiceQueries(L"WSearch");
  EXPECT_TRUE(serviceExists(L"WSearch"));
  EXPECT_EQ(serviceStartType(L"WSearch"), -1);

  EXPECT_FALSE(setServiceStartType(L"wuauserv", 5)) << "not a start type";
  EXPECT_EQ(machine.serviceStart(L"wuauserv"), 3u);
}

// --- programs ------------------------------------------------------------------------------------

class SimPrograms : public SimTest {
 protected:
  std::int64_t elapsedMs(std::int64_t sinceNs) const { return (steadyNanoseconds() - sinceNs) / 1'000'000; }
};

// A deliberate limit of the simulator: it runs exactly the executable the line names (quoted, or up
// to the first blank) and never tries the prefixes of an unquoted path or a search path the way
// CreateProcessW does. Programs are therefore always started by their full, quoted path.
TEST_F(SimPrograms, OnlyTheExactExecutablePathStarts) {
  machine.addProgram(L"C:\\Tools\\tool.exe", 0);
  machine.addProgram(L"C:\\Program Files\\Big Tool\\big.exe", 0);
  struct Case {
    const wchar_t* line;
    bool starts;
  };
  const Case cases[] = {
      {L"\"C:\\Tools\\tool.exe\" /x", true},
      {L"C:\\Tools\\tool.exe /x", true},
      {L"c:\\TOOLS\\Tool.EXE", true},
      {L"\"C:\\Program Files\\Big Tool\\big.exe\" -a \"b c\"", true},
      {L"C:\\Program Files\\Big Tool\\big.exe", false},  // unquoted: the simulator stops at the blank
      {L"tool.exe", false},                            // the simulator has no search path
      {L"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(exitsZero(c.line, 1000), c.starts) << c.line;

  const auto started = machine.startedPrograms();
  ASSERT_EQ(started.size(), std::size(cases));
  for (std::size_t i = 0; i < started.size(); ++i) {
    EXPECT_EQ(started[i].commandLine, cases[i].line);
    EXPECT_EQ(started[i].started, cases[i].starts) << cases[i].line;
  }
}

TEST_F(SimPrograms, RunProgramQuotesThePathAndPassesTheLineToTheHandler) {
  std::wstring seen;
  machine.addProgram(L"C:\\Windows\\system32\\bcdedit.exe", [&seen](const std::wstring& line) {
    seen = line;
    return sim::ProgramRun{0, 0, {}};
  });
  EXPECT_TRUE(runProgram(systemToolPath(L"bcdedit.exe"), L"/set useplatformclock true", 8000));
  EXPECT_EQ(seen, L"\"C:\\Windows\\system32\\bcdedit.exe\" /set useplatformclock true");

  EXPECT_TRUE(startSystemTool(L"bcdedit.exe", L"/enum"));
  ASSERT_EQ(machine.startedPrograms().size(), 2u);
  EXPECT_EQ(machine.startedPrograms()[1].commandLine, L"\"C:\\Windows\\system32\\bcdedit.exe\" /enum");
  EXPECT_EQ(machine.startedPrograms()[1].timeoutMs, 0u) << "a start does not wait";
}

TEST_F(SimPrograms, WithoutASystemDirectoryNoToolIsStarted) {
  machine.addProgram(L"\\reg.exe", 0);  // what "<no folder>\reg.exe" would resolve to
  machine.setSystemDirectory(std::nullopt);
  EXPECT_EQ(systemToolPath(L"reg.exe"), L"");
  EXPECT_EQ(systemToolCommandLine(L"reg.exe", L"/?"), L"");
  EXPECT_EQ(runSystemTool(L"reg.exe", L"/?", 1000), ChildExit::NotStarted);
  EXPECT_FALSE(systemToolSucceeds(L"reg.exe", L"/?", 1000));
  EXPECT_FALSE(startSystemTool(L"reg.exe", L"/?"));
  EXPECT_TRUE(machine.startedPrograms().empty());
}

TEST_F(SimPrograms, ProgramWithinItsTimeOutTakesItsRunTimeAndAppliesItsEffect) {
  machine.addProgram(L"C:\\p.exe", [](const std::wstring&) {
    return sim::ProgramRun{0, 700, [](sim::Machine& m) { m.setDword(HKLM, L"SOFTWARE\\Done", L"v", 1); }};
  });
  const std::int64_t start = steadyNanoseconds();
  EXPECT_TRUE(exitsZero(L"C:\\p.exe", 700)) << "ending exactly at the time-out is in time";
  EXPECT_EQ(elapsedMs(start), 700);
  EXPECT_EQ(machine.dword(HKLM, L"SOFTWARE\\Done", L"v"), 1u);
  EXPECT_TRUE(machine.startedPrograms().back().finishedInTime);
  EXPECT_EQ(machine.pendingPrograms(), 0u);
}

TEST_F(SimPrograms, NonZeroExitCodeIsFalseEvenThoughTheProgramRan) {
  machine.addProgram(L"C:\\fails.exe", [](const std::wstring&) {
    return sim::ProgramRun{1, 10, [](sim::Machine& m) { m.setDword(HKLM, L"SOFTWARE\\Ran", L"v", 1); }};
  });
  EXPECT_FALSE(runProgram(L"C:\\fails.exe", L"", 1000));
  EXPECT_EQ(machine.dword(HKLM, L"SOFTWARE\\Ran", L"v"), 1u);
}

TEST_F(SimPrograms, ProgramOutlivingItsTimeOutFinishesLaterInEndOrder) {
  std::vector<int> finished;
  const auto slow = [&finished](int id, std::uint32_t runMs) {
    return [&finished, id, runMs](const std::wstring&) {
      return sim::ProgramRun{0, runMs, [&finished, id](sim::Machine&) { finished.push_back(id); }};
    };
  };
  machine.addProgram(L"C:\\slow1.exe", slow(1, 5000));
  machine.addProgram(L"C:\\slow2.exe", slow(2, 1500));

  const std::int64_t start = steadyNanoseconds();
  EXPECT_FALSE(runProgram(L"C:\\slow1.exe", L"", 1000));  // ends at 5000
  EXPECT_EQ(elapsedMs(start), 1000) << "the caller waited the whole time-out";
  EXPECT_FALSE(runProgram(L"C:\\slow2.exe", L"", 200));   // started at 1000, ends at 2500
  EXPECT_EQ(machine.pendingPrograms(), 2u);
  EXPECT_TRUE(finished.empty());
  EXPECT_FALSE(machine.startedPrograms()[0].finishedInTime);

  machine.advanceMs(1299);  // 2499
  EXPECT_TRUE(finished.empty());
  machine.advanceMs(1);  // 2500
  EXPECT_EQ(finished, std::vector<int>{2});
  machine.advanceMs(10'000);
  EXPECT_EQ(finished, (std::vector<int>{2, 1}));
  EXPECT_EQ(machine.pendingPrograms(), 0u);
}

TEST_F(SimPrograms, EffectsMayUseThePlatformLayer) {
  // Effects and handlers run without the machine's lock, so they can call anything.
  machine.addProgram(L"C:\\nested.exe", [](const std::wstring&) {
    const bool keyThere = regKeyExists(HKLM, kCurrentVersion);
    return sim::ProgramRun{keyThere ? 0u : 1u, 100, [](sim::Machine&) {
                             regWriteDword(HKCU, L"Software\\Nested", L"v", 3);
                             exitsZero(L"C:\\unknown.exe", 10);
                           }};
  });
  EXPECT_TRUE(exitsZero(L"C:\\nested.exe", 1000));
  EXPECT_EQ(regReadDword(HKCU, L"Software\\Nested", L"v"), 3u);
  EXPECT_EQ(machine.startedPrograms().size(), 2u);
}

// --- clocks --------------------------------------------------------------------------------------

using SimClock = SimTest;

TEST_F(SimClock, AdvanceMovesAllClocksAcrossCalendarBoundaries) {
  struct Case {
    CalendarTime from;
    std::uint64_t ms;
    CalendarTime to;
  };
  const Case cases[] = {
      {{2026, 12, 31, 23, 59, 59, 500}, 1000, {2027, 1, 1, 0, 0, 0, 500}},
      {{2028, 2, 28, 12, 0, 0, 0}, 86'400'000, {2028, 2, 29, 12, 0, 0, 0}},  // leap year
      {{2100, 2, 28, 12, 0, 0, 0}, 86'400'000, {2100, 3, 1, 12, 0, 0, 0}},   // not a leap year
      {{2026, 3, 10, 14, 5, 9, 0}, 0, {2026, 3, 10, 14, 5, 9, 0}},
  };
  for (const Case& c : cases) {
    machine.setLocalTime(c.from);
    machine.setUtcTime(c.from);
    const std::int64_t steady = steadyNanoseconds();
    machine.advanceMs(c.ms);
    EXPECT_EQ(localTime(), c.to);
    EXPECT_EQ(utcTime(), c.to);
    EXPECT_EQ(steadyNanoseconds() - steady, static_cast<std::int64_t>(c.ms) * 1'000'000);
  }
}

TEST_F(SimClock, LocalAndUtcAreSetIndependently) {
  machine.setLocalTime({2026, 3, 10, 17, 5, 9, 0});  // UTC+3
  EXPECT_EQ(localTime().hour, 17);
  EXPECT_EQ(utcTime().hour, 14);
  machine.advanceMs(3'600'000);
  EXPECT_EQ(localTime().hour, 18);
  EXPECT_EQ(utcTime().hour, 15);
}

// --- files ---------------------------------------------------------------------------------------

using SimFiles = SimTest;

TEST_F(SimFiles, WindowsPathsMapBelowTheRoot) {
  const fs::path root = machine.root();
  struct Case {
    const wchar_t* windowsPath;
    fs::path host;
  };
  const Case cases[] = {
      {L"C:\\x\\y.txt", root / "C" / "x" / "y.txt"},
      {L"c:/x/y.txt", root / "C" / "x" / "y.txt"},
      {L"D:\\Games", root / "D" / "Games"},
      {L"\\\\?\\C:\\x", root / "C" / "x"},
      {L"C:\\a\\..\\..\\b", root / "C" / "b"},  // ".." never leaves the drive
      {L"C:\\a\\.\\b\\", root / "C" / "a" / "b"},
      {L"C:\\Папка", root / "C" / "Папка"},
      {L"relative\\path", fs::path()},
      {L"\\\\server\\share\\x", fs::path()},
  };
  for (const Case& c : cases) EXPECT_EQ(machine.hostPath(c.windowsPath), c.host) << c.windowsPath;
  EXPECT_FALSE(writeFileBytes(L"relative.txt", "x")) << "no current directory on the simulated machine";
}

TEST_F(SimFiles, ExistingEntriesAreFoundWithoutRegardToCase) {
  ASSERT_TRUE(createDirectories(L"C:\\Games\\Steam"));
  ASSERT_TRUE(writeFileBytes(L"C:\\games\\STEAM\\Config.VDF", "v"));
  EXPECT_TRUE(fs::exists(machine.root() / "C" / "Games" / "Steam" / "Config.VDF")) << "new names keep their case";
  EXPECT_EQ(readFileBytes(L"c:\\GAMES\\steam\\config.vdf"), std::string("v"));
  EXPECT_EQ(readFileBytes(L"C:\\PROGRAMDATA\\..\\Games\\Steam\\CONFIG.vdf"), std::string("v"));
  ASSERT_TRUE(createDirectories(L"C:\\Игры"));
  ASSERT_TRUE(writeFileBytes(L"C:\\Игры\\Ёлка.cfg", "ё"));
  EXPECT_EQ(readFileBytes(L"C:\\игры\\ёЛКА.CFG"), std::string("ё"));
}

TEST_F(SimFiles, DeniedFolderExistsButCannotBeEntered) {
  ASSERT_TRUE(createDirectories(L"C:\\Users\\Player\\AppData\\Local\\Temp\\locked"));
  ASSERT_TRUE(writeFileBytes(L"C:\\Users\\Player\\AppData\\Local\\Temp\\locked\\inner.txt", "i"));
  machine.denyDirectory(L"C:\\Users\\Player\\AppData\\Local\\Temp\\Locked");
  const std::wstring locked = L"C:\\Users\\Player\\AppData\\Local\\Temp\\locked";
  EXPECT_EQ(fileStatus(locked).kind, FileKind::Directory);
  EXPECT_FALSE(listDirectory(locked).has_value());
  EXPECT_EQ(fileStatus(locked + L"\\inner.txt").kind, FileKind::Missing);
  EXPECT_FALSE(readFileBytes(locked + L"\\inner.txt").has_value());
  EXPECT_FALSE(writeFileBytes(locked + L"\\new.txt", "n"));
  EXPECT_FALSE(removeFile(locked + L"\\inner.txt"));
  EXPECT_TRUE(listDirectory(L"C:\\Users\\Player\\AppData\\Local\\Temp").has_value());
}

TEST_F(SimFiles, RemoveAndCopyRefuseFolders) {
  ASSERT_TRUE(createDirectories(L"C:\\Data\\Sub"));
  ASSERT_TRUE(writeFileBytes(L"C:\\Data\\a.txt", "a"));
  EXPECT_FALSE(removeFile(L"C:\\Data\\Sub")) << "DeleteFileW does not remove folders";
  EXPECT_FALSE(copyFile(L"C:\\Data\\Sub", L"C:\\Data\\b", true));
  EXPECT_FALSE(copyFile(L"C:\\Data\\a.txt", L"C:\\Data\\Sub", true)) << "a folder is not a file target";
  EXPECT_FALSE(copyFile(L"C:\\Data\\a.txt", L"C:\\DATA\\A.TXT", true)) << "a file cannot be copied onto itself";
  EXPECT_EQ(readFileBytes(L"C:\\Data\\a.txt"), std::string("a"));
}

// --- System Restore ------------------------------------------------------------------------------

using SimRestore = SimTest;

TEST_F(SimRestore, OutcomesAndDescriptions) {
  int prepared = 0;
  const auto prepare = [&prepared] { ++prepared; };

  machine.setRestoreLibraryPresent(false);
  EXPECT_EQ(setSystemRestorePoint(L"a", prepare), RestorePointOutcome::LibraryMissing);
  EXPECT_EQ(prepared, 0) << "nothing is prepared without the library";

  machine.setRestoreLibraryPresent(true);
  machine.setRestorePointsSucceed(false);
  EXPECT_EQ(setSystemRestorePoint(L"b", prepare), RestorePointOutcome::Failed);
  EXPECT_EQ(prepared, 1);
  EXPECT_TRUE(machine.restorePoints().empty());

  machine.setRestorePointsSucceed(true);
  machine.setDword(HKLM, kSystemRestore, L"SystemRestorePointCreationFrequency", 0);  // no 24-hour limit
  // 254 units, then a character of two UTF-16 units that would end at unit 256: it is left out whole.
  const std::wstring longText = std::wstring(254, L'x') + L"\U0001F3AE" + L"tail";
  EXPECT_EQ(setSystemRestorePoint(longText, prepare), RestorePointOutcome::Created);
  EXPECT_EQ(setSystemRestorePoint(L"Vantorix: perf.hags", prepare), RestorePointOutcome::Created);
  EXPECT_EQ(prepared, 3);
  EXPECT_EQ(machine.restorePoints(), (std::vector<std::wstring>{std::wstring(254, L'x'), L"Vantorix: perf.hags"}));
}

// Windows skips a point made within SystemRestorePointCreationFrequency minutes of the last one
// (24 hours while the value is missing) and still reports success; Wine makes no point at all.
TEST_F(SimRestore, PointsWithinTheCreationFrequencyAreSkipped) {
  struct Case {
    std::optional<std::uint32_t> minutes;
    std::uint64_t waitMs;
    bool secondMade;
  };
  const Case cases[] = {
      {std::nullopt, 23ULL * 3'600'000, false}, {std::nullopt, 24ULL * 3'600'000, true},
      {10, 9 * 60'000, false},                  {10, 10 * 60'000, true},
      {0, 0, true},
  };
  for (const Case& c : cases) {
    machine.reset();
    if (c.minutes) machine.setDword(HKLM, kSystemRestore, L"SystemRestorePointCreationFrequency", *c.minutes);
    EXPECT_EQ(setSystemRestorePoint(L"first", {}), RestorePointOutcome::Created);
    machine.advanceMs(c.waitMs);
    EXPECT_EQ(setSystemRestorePoint(L"second", {}), RestorePointOutcome::Created);
    EXPECT_EQ(machine.restorePoints().size(), c.secondMade ? 2u : 1u)
        << c.minutes.value_or(1440) << " min, " << c.waitMs << " ms";
  }
}

// --- booster and monitor readings --------------------------------------------------------------------

using SimReadings = SimTest;

TEST_F(SimReadings, GpuCounterSamplesTheInstancesGiven) {
  EXPECT_FALSE(GpuEngineCounter().usable()) << "a fresh machine has no GPU engine counter, as Wine";
  const std::vector<GpuEngineSample> instances = {
      {L"pid_1_luid_0x00000000_0x0000D1A2_phys_0_eng_0_engtype_3D", 12.5},
      {L"pid_2_luid_0x00000000_0x0000D1A2_phys_0_eng_3_engtype_Copy", 0.0}};
  machine.setGpuEngines(instances);
  GpuEngineCounter counter;
  EXPECT_TRUE(counter.usable());
  EXPECT_EQ(counter.sample(), instances);
}

// Windows does this; Wine does not: the purge needs SeProfileSingleProcessPrivilege enabled, and
// only an elevated token can enable it.
TEST_F(SimReadings, StandbyPurgeNeedsTheEnabledPrivilege) {
  EXPECT_FALSE(purgeStandbyList()) << "held but disabled";
  ASSERT_TRUE(enablePrivilege(Privilege::ProfileSingleProcess));
  EXPECT_TRUE(purgeStandbyList());
  machine.setElevated(false);
  EXPECT_FALSE(enablePrivilege(Privilege::ProfileSingleProcess));
  EXPECT_FALSE(purgeStandbyList());
  EXPECT_EQ(machine.standbyPurgeCalls(), 3u);
}

TEST_F(SimReadings, TimerReachesOtherProcessesByBuildAndTheKernelValue) {
  struct Case {
    std::uint32_t build;
    std::optional<std::uint32_t> value;
    bool reaches;
  };
  const Case cases[] = {{18362, std::nullopt, true}, {19040, std::nullopt, true}, {19041, 1, false},
                        {19045, std::nullopt, false}, {21999, 1, false}, {22000, 1, true},
                        {22631, std::nullopt, false}, {22631, 2, false}, {26100, 1, true}};
  const std::wstring kernel = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\kernel";
  for (const Case& c : cases) {
    machine.reset();
    machine.setWindowsVersion({10, 0, c.build});
    if (c.value) machine.setDword(HKLM, kernel, L"GlobalTimerResolutionRequests", *c.value);
    EXPECT_EQ(machine.timerReachesOtherProcesses(), c.reaches) << c.build << " " << c.value.value_or(99);
  }
}

// --- other host facts ----------------------------------------------------------------------------

using SimHostFacts = SimTest;

TEST_F(SimHostFacts, FoldersThatDoNotFit260CharactersReadAsNothing) {
  machine.setSystemDirectory(L"C:\\" + std::wstring(256, L's'));  // 259 characters
  EXPECT_TRUE(systemDirectory().has_value());
  machine.setSystemDirectory(L"C:\\" + std::wstring(257, L's'));
  EXPECT_FALSE(systemDirectory().has_value());
  machine.setTempDirectory(std::nullopt);
  EXPECT_FALSE(tempDirectory().has_value());
}

TEST_F(SimHostFacts, EnvironmentEditsAndEmptyValues) {
  machine.setEnv(L"VX_EMPTY", L"");
  EXPECT_EQ(environmentVariable(L"vx_empty"), L"") << "an empty variable exists";
  machine.unsetEnv(L"SystemRoot");
  EXPECT_FALSE(environmentVariable(L"SYSTEMROOT").has_value());
}

TEST_F(SimHostFacts, PowerSchemeFailures) {
  machine.setActivePowerScheme(std::nullopt);
  EXPECT_FALSE(activePowerScheme().has_value());
  EXPECT_TRUE(setActivePowerScheme(kHighPerformanceScheme));
  EXPECT_EQ(activePowerScheme(), kHighPerformanceScheme);
  machine.failPowerSchemeChanges();
  EXPECT_FALSE(setActivePowerScheme(kBalancedScheme));
  EXPECT_EQ(machine.activePowerScheme(), kHighPerformanceScheme);
}

// --- threads -------------------------------------------------------------------------------------

TEST_F(SimTest, PlatformCallsFromSeveralThreadsAreSafe) {
  machine.addProgram(L"C:\\t.exe", [](const std::wstring&) {
    return sim::ProgramRun{0, 5, [](sim::Machine& m) { m.setDword(HKCU, L"Software\\T", L"ran", 1); }};
  });
  constexpr int kThreads = 4;
  constexpr int kRounds = 200;
  std::atomic<int> wrong{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t, &wrong] {
      const std::wstring key = L"Software\\T\\" + std::to_wstring(t);
      for (int i = 0; i < kRounds; ++i) {
        regWriteDword(HKCU, key, L"v", static_cast<std::uint32_t>(i));
        if (regReadDword(HKCU, key, L"v") != static_cast<std::uint32_t>(i)) ++wrong;
        if (!exitsZero(L"C:\\t.exe", 100)) ++wrong;
        regEnumSubkeys(HKCU, L"Software\\T");
        steadyNanoseconds();
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(wrong.load(), 0);
  EXPECT_EQ(machine.registryWrites(), static_cast<std::uint64_t>(kThreads * kRounds));
  EXPECT_EQ(machine.startedPrograms().size(), static_cast<std::size_t>(kThreads * kRounds));
}

}  // namespace
}  // namespace vx
