// Internal to sim/: the state behind vx::sim::Machine and the helpers the simulated platform
// operations share. Every access to Machine::State happens with Machine::mutex() held.
#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sim/machine.h"

namespace vx::sim {

// One registry key. Subkeys are kept in the order a hive enumerates them; value names are folded.
struct RegKey {
  struct NamedValue {
    std::wstring name;  // as first written
    RegValue value;
  };
  std::wstring name;  // as created
  bool denied = false;
  bool readOnly = false;  // readable, but writes, deletions and new subkeys are refused
  std::map<std::wstring, std::unique_ptr<RegKey>> subkeys;  // key: hiveOrderKey(name)
  std::map<std::wstring, NamedValue> values;                // key: toLowerFolded(name)
};

// Windows keeps subkeys sorted by their upper-cased names; this key gives the same order (for the
// characters vx::foldChar knows) and equal keys for names that differ only in case.
std::wstring hiveOrderKey(std::wstring_view name);

// Key path components; empty components (doubled or trailing backslashes) are skipped.
std::vector<std::wstring> splitKeyPath(std::wstring_view path);

// Windows limits a key name to 255 characters.
constexpr std::size_t kMaxKeyNameChars = 255;

// Text <-> registry bytes: UTF-16LE, surrogate pairs where wchar_t is 32-bit.
std::vector<std::uint8_t> toUtf16leBytes(std::wstring_view text, bool terminator);
// An odd trailing byte is ignored; no terminator is needed and NULs are kept.
std::wstring fromUtf16leBytes(const std::vector<std::uint8_t>& data);

struct SimService {
  std::wstring name;
  std::uint32_t startType = 3;
  bool running = false;
  bool failChanges = false;
  bool failQueries = false;
};

struct SimProgram {
  std::wstring path;
  ProgramHandler handler;
};

// A program that outlived its caller's time-out; it finishes when the clock passes endNs.
struct PendingProgram {
  std::int64_t endNs = 0;
  std::uint64_t order = 0;  // start order, to finish programs with the same end in start order
  std::function<void(Machine&)> effect;
};

struct EnvVar {
  std::wstring name;
  std::wstring value;
};

struct Machine::State {
  // --- registry ---
  std::array<RegKey, 4> roots;
  std::uint64_t registryWrites = 0;
  std::uint64_t registryReads = 0;

  // --- services, programs, processes ---
  std::map<std::wstring, SimService> services;  // key: toLowerFolded(name)
  std::vector<std::wstring> stopRequests;
  std::map<std::wstring, SimProgram> programs;  // key: toLowerFolded(path)
  std::vector<StartedProgram> started;
  std::vector<PendingProgram> pending;
  std::uint64_t startCounter = 0;
  std::vector<std::wstring> runningProcesses;

  // --- environment ---
  std::map<std::wstring, EnvVar> env;  // key: toLowerFolded(name)

  // --- files ---
  std::filesystem::path root;                     // fresh host folder, removed on reset/destruction
  std::vector<std::filesystem::path> deniedDirs;  // host paths

  // --- clocks (milliseconds since 1970-01-01 as if the calendar time were UTC) ---
  std::int64_t localMs = 0;
  std::int64_t utcMs = 0;
  std::int64_t steadyNs = 0;

  // --- host facts ---
  WindowsVersion version;
  std::optional<std::wstring> systemDir, windowsDir, tempDir, programData;
  std::optional<MemoryStatus> memory;
  std::wstring cpuVendor;
  std::uint32_t logicalProcessors = 0;
  std::optional<std::uint8_t> batteryFlag;
  std::map<wchar_t, std::optional<bool>> seekPenalty;  // key: upper-case drive letter
  std::optional<Guid> powerScheme;
  bool powerChangesFail = false;
  // The schemes present; nothing: PowerEnumerate fails. Default: Windows' stock three.
  std::optional<std::vector<Guid>> powerSchemes =
      std::vector<Guid>{kBalancedScheme, kHighPerformanceScheme, kPowerSaverScheme};

  // --- System Restore ---
  bool restoreLibraryPresent = true;
  bool restorePointsSucceed = true;
  std::vector<std::wstring> restorePoints;
  std::optional<std::int64_t> lastRestorePointNs;  // steady clock of the last created point

  // --- shell and full disks ---
  std::vector<std::wstring> shellOpened;
  std::vector<std::filesystem::path> fullDirs;  // host paths where writes fail

  // --- the change lock (change_lock.cpp) ---
  bool changeLockUnopenable = false;  // another account's object under the name, or no rights

  // --- booster, monitor and maintenance readings ---
  struct ServiceReadings {
    bool snapshotFails = false;
    std::optional<SystemTimes> systemTimes = SystemTimes{80'000'000'000ULL, 100'000'000'000ULL, 20'000'000'000ULL};
    std::optional<std::vector<GpuEngineSample>> gpuEngines;  // default: no GPU engine counter
    bool timerFunctionPresent = true, purgeFunctionPresent = true;
    bool timerRequestsFail = false, purgesFail = false;
    std::uint32_t heldResolution = 0, timerCalls = 0, purgeCalls = 0;
    std::uint32_t throttlingOptOuts = 0;
    std::int32_t recycleBinResult = 0;
    std::uint32_t recycleBinCalls = 0;
    bool shellStartsFail = false;
    std::vector<std::wstring> shellStarted;
    std::vector<std::filesystem::path> lockedFiles;  // host paths
    bool consoleInterrupted = false;
  } readings;

  // --- the desktop shell (sim/shell.cpp) ---
  struct Shell {
    std::uint64_t window = 0;      // 0: no shell window
    std::uint64_t lastWindow = 0;  // a returning shell gets a new window number
    bool otherUser = false;
    std::optional<std::uint32_t> returnsAfterKillMs;
    std::optional<std::int64_t> returnsAtNs;  // on the steady clock, set by killShell
    std::uint32_t userChecks = 0;
    bool processOpensFail = false, executeFails = false;
    std::vector<Machine::ShellOpen> opens;
  } shell;

  // --- file security and the listing hook (machine_security.cpp) ---
  struct FileSecurity {
    std::wstring owner;  // kAdministratorsOwner or a user's name
    bool usersCanWrite = false;
  };
  std::map<std::filesystem::path, FileSecurity> security;  // host paths with a descriptor of their own
  bool securityChangesFail = false;
  std::function<void(const std::wstring& folder)> listedHook;

  // --- the hook before each file change (machine_file_changes.cpp) ---
  std::function<bool(const std::wstring& path)> fileChangeHook;

  // --- the process token ---
  struct Token {
    bool elevated = true;
    std::set<Privilege> enabled;
    std::set<Privilege> withheld;  // not held at all, whatever the elevation
  } token;

  // --- COM set-up of the process ---
  struct ProcessCom {
    std::optional<ComModel> model;  // of the first call
    std::uint32_t calls = 0;
  } com;

  RegKey& rootKey(RegRoot root) { return roots[static_cast<std::size_t>(root)]; }
  // The key or nothing; access rights are not checked.
  RegKey* findKey(RegRoot root, std::wstring_view path);
  // The key opened as the platform layer opens it: nothing when missing or denied.
  RegKey* openKey(RegRoot root, std::wstring_view path);
  // Creates every missing key on the path. With asPlatform, fails (nothing) like RegCreateKeyExW:
  // when the key is denied, when a key must be created below a denied key, or a name is too long.
  RegKey* createKey(RegRoot root, std::wstring_view path, bool asPlatform);
};

// Security descriptors set where a fresh Windows installation has them (machine_security.cpp).
void addDefaultFileSecurity(Machine::State& state);
// The listing hook, called without the lock held; nothing when none is set.
void runListedHook(const std::wstring& windowsFolder);
// Whether the file change about to be made to this path may happen (Machine::onFileChange); the
// hook runs without the lock held. True when no hook is set.
bool fileChangeAllowed(const std::wstring& windowsPath);

// The executable of a command line, as CreateProcessW finds it without an application name: the
// text inside leading quotes, or everything up to the first blank.
std::wstring commandLineExecutable(std::wstring_view commandLine);

// Calendar time <-> milliseconds since 1970-01-01 (proleptic Gregorian calendar, no time zone).
std::int64_t calendarToMs(const CalendarTime& t);
CalendarTime msToCalendar(std::int64_t ms);

// Maps a Windows path below the machine's root: "C:\x\y" -> root/C/x/y. Existing entries are found
// without regard to case; "." and ".." are resolved and never climb above the drive. Paths that are
// not absolute drive paths ("relative", "\\server\share") map to an empty path.
std::filesystem::path mapWindowsPath(const std::filesystem::path& root, std::wstring_view windowsPath);

}  // namespace vx::sim
