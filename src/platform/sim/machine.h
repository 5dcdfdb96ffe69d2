// The simulated Windows machine behind the native build: registry, services, programs, files,
// clocks and hardware readings. The sim/ implementations of the platform operations act on the
// process-wide instance; tests build their scenes through this control API.
#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/com.h"
#include "platform/performance.h"
#include "platform/power.h"
#include "platform/privileges.h"
#include "platform/registry.h"
#include "platform/system.h"

namespace vx::sim {

// Windows registry value types.
enum class RegType : std::uint32_t { None = 0, Sz = 1, ExpandSz = 2, Binary = 3, Dword = 4, MultiSz = 7, Qword = 11 };

struct RegValue {
  RegType type = RegType::None;
  std::vector<std::uint8_t> data;  // raw bytes as Windows stores them (strings UTF-16LE)
};

class Machine;

// What a simulated program does when started: exit code, how long it runs (simulated time) and
// an optional effect on the machine, applied when it finishes within the caller's time-out.
struct ProgramRun {
  std::uint32_t exitCode = 0;
  std::uint32_t runMs = 0;
  std::function<void(Machine&)> effect;
};
using ProgramHandler = std::function<ProgramRun(const std::wstring& commandLine)>;

// A child the platform layer tried to start, recorded in call order (runHidden as 8000 ms).
struct StartedProgram {
  std::wstring commandLine;
  std::uint32_t timeoutMs = 0;
  bool started = false;         // false: the executable is unknown, CreateProcessW would fail
  bool finishedInTime = false;  // ended within the time-out (its exit code was then read)
};

class Machine {
 public:
  Machine();
  ~Machine();
  Machine(const Machine&) = delete;
  Machine& operator=(const Machine&) = delete;

  // Everything back to a fresh default machine (Windows 10 22H2 desktop, see machine.cpp).
  void reset();

  // --- registry (names case-insensitive; subkeys enumerate sorted like a hive) ---
  void setValue(RegRoot root, const std::wstring& key, const std::wstring& name, RegType type,
                std::vector<std::uint8_t> data);
  void setDword(RegRoot root, const std::wstring& key, const std::wstring& name, std::uint32_t value);
  void setQword(RegRoot root, const std::wstring& key, const std::wstring& name, std::uint64_t value);
  // REG_SZ / REG_EXPAND_SZ with one terminating NUL.
  void setString(RegRoot root, const std::wstring& key, const std::wstring& name, const std::wstring& text,
                 RegType type = RegType::Sz);
  std::optional<RegValue> value(RegRoot root, const std::wstring& key, const std::wstring& name) const;
  std::optional<std::uint32_t> dword(RegRoot root, const std::wstring& key, const std::wstring& name) const;
  std::optional<std::wstring> string(RegRoot root, const std::wstring& key, const std::wstring& name) const;
  void createKey(RegRoot root, const std::wstring& key);
  void deleteKey(RegRoot root, const std::wstring& key);  // with all its subkeys
  bool keyExists(RegRoot root, const std::wstring& key) const;
  // The key exists but opening it is refused (access denied) for every access.
  void denyKeyAccess(RegRoot root, const std::wstring& key);
  // The key can be opened for reading, but writing or deleting its values and creating subkeys
  // below it are refused (a key whose access list grants only KEY_READ). Deleting a missing value
  // fails too: the key cannot be opened with KEY_SET_VALUE at all.
  void denyKeyWrites(RegRoot root, const std::wstring& key);
  // Count of registry writes and deletions made through the platform operations (attempts,
  // successful or not), and of value reads; the control API above counts neither.
  std::uint64_t registryWrites() const;
  std::uint64_t registryReads() const;

  // --- services ---
  void addService(const std::wstring& name, std::uint32_t startType, bool running = true);
  void removeService(const std::wstring& name);
  std::optional<std::uint32_t> serviceStart(const std::wstring& name) const;
  bool serviceRunning(const std::wstring& name) const;
  // Stop requests received through stopService, in order.
  std::vector<std::wstring> stopRequests() const;
  // Configuration changes of this service fail until called again with fail = false.
  void failServiceChanges(const std::wstring& name, bool fail = true);
  // The service can be opened but its configuration cannot be read (serviceStartType gives -1).
  void failServiceQueries(const std::wstring& name, bool fail = true);

  // --- programs ---
  // A program is found by the executable of the command line: the quoted text, or up to the first
  // blank when unquoted; compared with the registered path without regard to case, with no search
  // along PATH and no ".exe" added. Unknown executables fail to start. The handler gets the whole
  // command line and, like the effect, runs on the caller's thread without the machine's lock.
  void addProgram(const std::wstring& exePath, ProgramHandler handler);
  void addProgram(const std::wstring& exePath, std::uint32_t exitCode, std::uint32_t runMs = 0);
  void removeProgram(const std::wstring& exePath);
  std::vector<StartedProgram> startedPrograms() const;
  // Just the command lines of startedPrograms(), in start order.
  std::vector<std::wstring> startedCommandLines() const;
  // Programs that outlived their caller's time-out and have not finished yet.
  std::size_t pendingPrograms() const;
  // Image names of running processes (for the booster and the process contract).
  void setRunningProcesses(std::vector<std::wstring> imageNames);
  std::vector<std::wstring> runningProcesses() const;

  // --- environment ---
  void setEnv(const std::wstring& name, const std::wstring& value);
  void unsetEnv(const std::wstring& name);

  // --- files: drive C:\x lives at root()/C/x; existing entries are found without regard to case,
  // new ones keep the case they are given; relative and UNC paths map to nothing (and fail) ---
  std::filesystem::path root() const;
  std::filesystem::path hostPath(const std::wstring& windowsPath) const;
  // The folder exists but cannot be listed or entered.
  void denyDirectory(const std::wstring& windowsPath);

  // --- clocks: simulated; programs that run advance them ---
  void setLocalTime(const CalendarTime& t);
  void setUtcTime(const CalendarTime& t);
  // Moves the local, UTC and steady clocks forward; programs whose run ends by then finish
  // (their effects run, in order of their end, without the machine's lock held).
  void advanceMs(std::uint64_t ms);

  // --- host facts ---
  void setWindowsVersion(const WindowsVersion& v);
  void setSystemDirectory(std::optional<std::wstring> dir);
  void setWindowsDirectory(std::optional<std::wstring> dir);
  void setTempDirectory(std::optional<std::wstring> dir);  // as GetTempPathW: trailing backslash
  void setProgramDataFolder(std::optional<std::wstring> dir);
  void setMemory(std::optional<MemoryStatus> status);
  void setCpuVendor(const std::wstring& vendor);
  void setLogicalProcessors(std::uint32_t count);
  void setBatteryFlag(std::optional<std::uint8_t> flag);
  void setSeekPenalty(wchar_t driveLetter, std::optional<bool> incursSeekPenalty);
  // Nothing makes PowerGetActiveScheme fail; the platform's set still stores a scheme.
  void setActivePowerScheme(std::optional<Guid> scheme);
  std::optional<Guid> activePowerScheme() const;
  // PowerSetActiveScheme fails (and changes nothing) until called again with fail = false.
  void failPowerSchemeChanges(bool fail = true);
  // The schemes PowerEnumerate lists (default Balanced, High performance, Power saver; a Modern
  // Standby laptop often has only Balanced); nothing makes the enumeration fail, as under Wine.
  // Activating a scheme that is not present fails.
  void setPowerSchemes(std::optional<std::vector<Guid>> schemes);

  // --- System Restore ---
  void setRestoreLibraryPresent(bool present);
  void setRestorePointsSucceed(bool succeed);
  std::vector<std::wstring> restorePoints() const;  // descriptions of created points

  // --- shell and full disks (game tweaks) ---
  // Targets given to shellOpen, in call order.
  std::vector<std::wstring> shellOpened() const;
  // Writing this file, or any file below this folder, fails as on a full disk (writeFileBytes,
  // writeFileAtomic, copyFile's target); reading, listing and deleting still work.
  void failFileWrites(const std::wstring& windowsPath, bool fail = true);

  // --- the change lock (platform/change_lock.h) ---
  // The named mutex cannot be created or opened: every acquisition fails as if it were held.
  void failChangeLockOpen(bool fail = true);
  // Threads blocked in a wait for the lock right now (another holder has it).
  std::uint32_t changeLockWaiters() const;

  // --- file changes one at a time (see machine_file_changes.cpp) ---
  // Called on the changing thread, without the machine's lock, before each change the file
  // operations make to a file: a write, a new file, the temporary file and then the move of an
  // atomic write (two changes), a copy, a deletion, setting or clearing the read-only flag. It
  // gets the Windows path about to change and returns false to make that change fail and leave
  // everything as it is. Tests stop a run at any point with it, or hold a thread inside a change
  // while another thread acts. Nothing: no hook.
  using FileChangeHook = std::function<bool(const std::wstring& path)>;
  void onFileChange(FileChangeHook hook);
  // A hook for onFileChange: the process is killed after `changes` more file changes, so from
  // then on every change fails and the files stay as the kill left them.
  static FileChangeHook killedAfterFileChanges(std::uint32_t changes);

  // --- booster, monitor and maintenance readings (performance.h, processes.h, recycle_bin.h,
  // console.h, the shell start of process.h, locked and read-only files); see machine_services.cpp ---
  void failProcessSnapshot(bool fail = true);
  void setSystemTimes(std::optional<SystemTimes> times);  // nothing: GetSystemTimes fails
  // The GPU engine counter's instances (names and values) of the next samples; nothing: the counter
  // cannot be added (as under Wine). Takes effect for counters created afterwards and for every
  // later sample.
  void setGpuEngines(std::optional<std::vector<GpuEngineSample>> instances);
  void setNtFunctionsPresent(bool timerResolution, bool standbyPurge);
  void failTimerRequests(bool fail = true);
  void failStandbyPurges(bool fail = true);
  // The resolution this process holds in 100 ns units, 0 when none; calls made so far.
  std::uint32_t heldTimerResolution() const;
  std::uint32_t timerRequestCalls() const;
  std::uint32_t standbyPurgeCalls() const;
  // Whether a timer resolution this process holds reaches other processes (a game): only before
  // Windows 10 2004 (build 19041), or on Windows 11 (build 22000) with the kernel value
  // GlobalTimerResolutionRequests = 1 (see machine_timer.cpp); and how often this process opted its
  // timer requests out of power throttling.
  bool timerReachesOtherProcesses() const;
  std::uint32_t timerThrottlingOptOuts() const;
  void setRecycleBinResult(std::int32_t hresult);
  std::uint32_t recycleBinCalls() const;
  // ShellExecuteExW fails until called again with false; programs started through the shell.
  void failShellStarts(bool fail = true);
  std::vector<std::wstring> shellStartedPrograms() const;
  // DeleteFileW of this file fails (it is open elsewhere without FILE_SHARE_DELETE).
  void lockFile(const std::wstring& windowsPath, bool locked = true);
  // FILE_ATTRIBUTE_READONLY of a file (kept as the host file's missing write permission).
  void setReadOnly(const std::wstring& windowsPath, bool readOnly = true);
  bool isReadOnly(const std::wstring& windowsPath) const;
  // A Ctrl+C reaches the console.
  void interruptConsole();

  // --- the desktop shell (shell.h; see sim/shell.cpp). By default there is no shell window, as
  // under Wine; a scene with one models Windows: its route for opening things works only while the
  // shell runs, taskkill ends it, and Windows may start it again by itself (AutoRestartShell) ---
  struct ShellScene {
    bool window = false;     // a shell window exists
    bool otherUser = false;  // its process runs as another user than this process
    // After killShell, a new shell window appears once this much simulated time has passed;
    // nothing: the shell does not come back by itself.
    std::optional<std::uint32_t> returnsAfterKillMs;
  };
  void setShell(const ShellScene& scene);
  // What "taskkill /F /IM explorer.exe" does to the shell (a test's taskkill effect calls it).
  void killShell();
  // How often shellRunsAsAnotherUser has looked at the shell's process.
  std::uint32_t shellUserChecks() const;
  // The desktop's IShellDispatch2 route, or ShellExecuteW in this process, fails until called
  // again with false.
  void failShellProcessOpens(bool fail = true);
  void failShellExecute(bool fail = true);
  enum class OpenRoute { ShellProcess, ThisProcess };
  struct ShellOpen {
    std::wstring target;
    OpenRoute route;
    bool operator==(const ShellOpen&) const = default;
  };
  // What shellOpen opened and by which route, in call order (failed opens are not listed).
  std::vector<ShellOpen> shellOpens() const;

  // --- file security (program_folder.h; see machine_security.cpp) ---
  // Windows keeps an owner and a DACL on every file and folder; Wine keeps none, so only this
  // model shows a folder that a standard user created first. Each entry here stands for an owner
  // and whether ordinary users may write: a path without a descriptor of its own inherits the
  // second from the nearest folder above that has one (its owner is the administrators). A fresh
  // machine lets users write in C:\ProgramData and C:\Windows\Temp, as Windows does.
  static constexpr const wchar_t* kAdministratorsOwner = L"BUILTIN\\Administrators";
  void setFileSecurity(const std::wstring& windowsPath, const std::wstring& owner, bool usersCanWrite);
  std::wstring fileOwner(const std::wstring& windowsPath) const;
  bool usersCanWrite(const std::wstring& windowsPath) const;
  // Setting an owner or a DACL fails (as SetSecurityInfo does on a volume without ACLs) until
  // called again with fail = false.
  void failSecurityChanges(bool fail = true);
  // Called with the Windows path of every folder the file operations have just listed, before
  // anything below it is opened (listDirectory, walkFiles, deleteFolderContents): a test swaps a
  // folder for a link there, as another user could between an elevated listing and its descent.
  void onFolderListed(std::function<void(const std::wstring& folder)> hook);

  // --- the process token (privileges.h; see machine_token.cpp) ---
  // Whether this process runs elevated (default true, as every process under Wine does). Only an
  // elevated token holds the privileges, and each is disabled until enablePrivilege turns it on.
  void setElevated(bool elevated);
  bool privilegeEnabled(Privilege privilege) const;
  // The token lacks this privilege even when elevated (an account whose policy removed it):
  // enabling it then fails as AdjustTokenPrivileges does with ERROR_NOT_ALL_ASSIGNED. Windows
  // does this; Wine grants every privilege to every process.
  void withholdPrivilege(Privilege privilege);

  // --- COM set-up of the process (com.h; see com.cpp): the model of the first call, and how many
  // calls were made ---
  std::optional<ComModel> processComModel() const;
  std::uint32_t processComCalls() const;

  // Internal state shared with the sim/ implementations of the platform operations
  // (machine_state.h); touch it only with mutex() held.
  struct State;
  State& state();
  std::mutex& mutex() const;

 private:
  std::unique_ptr<State> state_;
  mutable std::mutex mutex_;
};

// The process-wide simulated machine.
Machine& machine();

}  // namespace vx::sim
