// The simulated Windows machine: its state, its control API and the defaults of a fresh machine.
//
// A fresh machine (reset()) is a Windows 10 22H2 desktop:
//   version 10.0.19045; system directory C:\Windows\system32, Windows directory C:\Windows,
//   temp C:\Users\Player\AppData\Local\Temp\ (GetTempPathW form, trailing backslash),
//   ProgramData C:\ProgramData; the environment of kEnvironment below (SystemDrive=C:,
//   SystemRoot=C:\Windows, LOCALAPPDATA, APPDATA, TEMP, TMP, ProgramFiles, ProgramFiles(x86), ...);
//   local time = UTC time = 2026-03-10 14:05:09.000, steady clock at 1 000 s;
//   16 GiB memory, 9 GiB available, load 43 %; CPU vendor GenuineIntel, 8 logical processors;
//   battery flag 128 (no system battery: a desktop); drive C: has no seek penalty (an SSD), other
//   drives cannot be queried; the power schemes Balanced, High performance and Power saver, the
//   active one Balanced, scheme changes succeed;
//   SrClient.dll present and restore points succeed;
//   the registry of kRegistry below (product name "Windows 10 Pro", display version "22H2", the
//   processor "Intel(R) Core(TM) i7-9700K CPU @ 3.60GHz" under CentralProcessor\0..7, a few
//   Windows defaults the tweaks read - the mouse values are REG_SZ as on a real installation -
//   and the display and network class keys with their access-denied "Properties" subkey, but no
//   adapter: scenarios add those);
//   services of kServices below (Spooler, SysMain, DiagTrack, WSearch, RpcSs, Winmgmt automatic
//   and running; wuauserv, BITS manual and stopped);
//   no programs (every executable fails to start), no running processes;
//   files: a fresh host folder as root with C:\Windows\system32, C:\Windows\Temp, C:\ProgramData,
//   C:\Program Files, C:\Program Files (x86), C:\Users\Player\AppData\{Local\Temp,Roaming}.
//
// What differs from Windows: names fold case for ASCII, Latin-1 and Cyrillic only; HKCR is not a
// merged view of the two Classes keys and HKCU is not an alias of a key below HKU; service start
// types are not mirrored into the Services registry keys; files keep their case on the host and
// are found without regard to case only where the entry already exists.
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <mutex>
#include <random>
#include <system_error>

#include "base/text.h"
#include "platform/sim/machine_state.h"

namespace vx::sim {

namespace fs = std::filesystem;

namespace {

constexpr const wchar_t* kProcessorName = L"Intel(R) Core(TM) i7-9700K CPU @ 3.60GHz";
constexpr std::uint32_t kDefaultProcessors = 8;

struct EnvRow {
  const wchar_t* name;
  const wchar_t* value;
};
constexpr EnvRow kEnvironment[] = {
    {L"SystemDrive", L"C:"},
    {L"SystemRoot", L"C:\\Windows"},
    {L"windir", L"C:\\Windows"},
    {L"ComSpec", L"C:\\Windows\\system32\\cmd.exe"},
    {L"OS", L"Windows_NT"},
    {L"PROCESSOR_ARCHITECTURE", L"AMD64"},
    {L"NUMBER_OF_PROCESSORS", L"8"},
    {L"COMPUTERNAME", L"VX-DESKTOP"},
    {L"USERNAME", L"Player"},
    {L"USERPROFILE", L"C:\\Users\\Player"},
    {L"HOMEDRIVE", L"C:"},
    {L"HOMEPATH", L"\\Users\\Player"},
    {L"PUBLIC", L"C:\\Users\\Public"},
    {L"ALLUSERSPROFILE", L"C:\\ProgramData"},
    {L"ProgramData", L"C:\\ProgramData"},
    {L"ProgramFiles", L"C:\\Program Files"},
    {L"ProgramFiles(x86)", L"C:\\Program Files (x86)"},
    {L"ProgramW6432", L"C:\\Program Files"},
    {L"CommonProgramFiles", L"C:\\Program Files\\Common Files"},
    {L"CommonProgramFiles(x86)", L"C:\\Program Files (x86)\\Common Files"},
    {L"APPDATA", L"C:\\Users\\Player\\AppData\\Roaming"},
    {L"LOCALAPPDATA", L"C:\\Users\\Player\\AppData\\Local"},
    {L"TEMP", L"C:\\Users\\Player\\AppData\\Local\\Temp"},
    {L"TMP", L"C:\\Users\\Player\\AppData\\Local\\Temp"},
    {L"Path", L"C:\\Windows\\system32;C:\\Windows;C:\\Windows\\System32\\Wbem"},
};

constexpr const wchar_t* kFolders[] = {
    L"C:\\Windows\\system32",
    L"C:\\Windows\\Temp",
    L"C:\\ProgramData",
    L"C:\\Program Files\\Common Files",
    L"C:\\Program Files (x86)\\Common Files",
    L"C:\\Users\\Player\\AppData\\Local\\Temp",
    L"C:\\Users\\Player\\AppData\\Roaming",
    L"C:\\Users\\Public",
};

struct RegRow {
  RegRoot root;
  const wchar_t* key;
  const wchar_t* name;  // nullptr: the key only
  RegType type;
  std::uint32_t dword;
  const wchar_t* text;
};
constexpr const wchar_t* kCurrentVersion = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr const wchar_t* kSystemProfile = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Multimedia\\SystemProfile";
constexpr const wchar_t* kExplorerAdvanced = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
constexpr const wchar_t* kNetworkClassKey =
    L"SYSTEM\\CurrentControlSet\\Control\\Class\\{4d36e972-e325-11ce-bfc1-08002be10318}";
constexpr const wchar_t* kDisplayClassKey =
    L"SYSTEM\\CurrentControlSet\\Control\\Class\\{4d36e968-e325-11ce-bfc1-08002be10318}";
constexpr auto HKLM = RegRoot::LocalMachine;
constexpr auto HKCU = RegRoot::CurrentUser;
constexpr auto SZ = RegType::Sz;
constexpr auto EXPAND = RegType::ExpandSz;
constexpr auto DW = RegType::Dword;
constexpr RegRow kRegistry[] = {
    {HKLM, kCurrentVersion, L"ProductName", SZ, 0, L"Windows 10 Pro"},
    {HKLM, kCurrentVersion, L"DisplayVersion", SZ, 0, L"22H2"},
    {HKLM, kCurrentVersion, L"ReleaseId", SZ, 0, L"2009"},
    {HKLM, kCurrentVersion, L"EditionID", SZ, 0, L"Professional"},
    {HKLM, kCurrentVersion, L"InstallationType", SZ, 0, L"Client"},
    {HKLM, kCurrentVersion, L"CurrentVersion", SZ, 0, L"6.3"},
    {HKLM, kCurrentVersion, L"CurrentBuild", SZ, 0, L"19045"},
    {HKLM, kCurrentVersion, L"CurrentBuildNumber", SZ, 0, L"19045"},
    {HKLM, kCurrentVersion, L"CurrentMajorVersionNumber", DW, 10, nullptr},
    {HKLM, kCurrentVersion, L"CurrentMinorVersionNumber", DW, 0, nullptr},
    {HKLM, kCurrentVersion, L"UBR", DW, 3930, nullptr},
    {HKLM, kCurrentVersion, L"SystemRoot", SZ, 0, L"C:\\Windows"},
    {HKLM, kSystemProfile, L"NetworkThrottlingIndex", DW, 10, nullptr},
    {HKLM, kSystemProfile, L"SystemResponsiveness", DW, 20, nullptr},
    {HKLM, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion", L"ProgramFilesDir", SZ, 0, L"C:\\Program Files"},
    {HKLM, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion", L"ProgramFilesDir (x86)", SZ, 0,
     L"C:\\Program Files (x86)"},
    {HKLM, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion", L"CommonFilesDir", SZ, 0,
     L"C:\\Program Files\\Common Files"},
    {HKLM, L"SOFTWARE\\Policies\\Microsoft\\Windows", nullptr, RegType::None, 0, nullptr},
    {HKLM, L"SYSTEM\\CurrentControlSet\\Control\\PriorityControl", L"Win32PrioritySeparation", DW, 2, nullptr},
    {HKLM, L"SYSTEM\\CurrentControlSet\\Control\\FileSystem", L"NtfsDisableLastAccessUpdate", DW, 0x80000002,
     nullptr},
    {HKLM, L"SYSTEM\\CurrentControlSet\\Control\\FileSystem", L"LongPathsEnabled", DW, 0, nullptr},
    {HKLM, L"SYSTEM\\CurrentControlSet\\Control\\GraphicsDrivers", nullptr, RegType::None, 0, nullptr},
    {HKLM, L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management", L"PagingFiles",
     RegType::MultiSz, 0, L"?:\\pagefile.sys"},
    {HKLM, L"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters", L"Hostname", SZ, 0, L"VX-DESKTOP"},
    {HKLM, L"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters", L"DataBasePath", EXPAND, 0,
     L"%SystemRoot%\\System32\\drivers\\etc"},
    {HKLM, L"SYSTEM\\CurrentControlSet\\Services\\Ndu", L"Start", DW, 2, nullptr},
    {HKLM, kDisplayClassKey, L"Class", SZ, 0, L"Display"},
    {HKLM, kNetworkClassKey, L"Class", SZ, 0, L"Net"},
    {HKCU, L"Control Panel\\Mouse", L"MouseSpeed", SZ, 0, L"1"},
    {HKCU, L"Control Panel\\Mouse", L"MouseThreshold1", SZ, 0, L"6"},
    {HKCU, L"Control Panel\\Mouse", L"MouseThreshold2", SZ, 0, L"10"},
    {HKCU, L"Control Panel\\Mouse", L"MouseSensitivity", SZ, 0, L"10"},
    {HKCU, kExplorerAdvanced, L"HideFileExt", DW, 1, nullptr},
    {HKCU, kExplorerAdvanced, L"Start_TrackDocs", DW, 1, nullptr},
    {HKCU, L"Software\\Microsoft\\Windows\\CurrentVersion\\AdvertisingInfo", L"Enabled", DW, 1, nullptr},
    {HKCU, L"System\\GameConfigStore", L"GameDVR_Enabled", DW, 1, nullptr},
    {HKCU, L"Environment", L"TEMP", EXPAND, 0, L"%USERPROFILE%\\AppData\\Local\\Temp"},
};
// Class keys carry a "Properties" subkey that even administrators cannot open.
constexpr const wchar_t* kDeniedKeys[] = {
    L"SYSTEM\\CurrentControlSet\\Control\\Class\\{4d36e968-e325-11ce-bfc1-08002be10318}\\Properties",
    L"SYSTEM\\CurrentControlSet\\Control\\Class\\{4d36e972-e325-11ce-bfc1-08002be10318}\\Properties",
};

struct ServiceRow {
  const wchar_t* name;
  std::uint32_t startType;
  bool running;
};
constexpr ServiceRow kServices[] = {
    {L"Spooler", 2, true}, {L"SysMain", 2, true}, {L"DiagTrack", 2, true}, {L"WSearch", 2, true},
    {L"RpcSs", 2, true},   {L"Winmgmt", 2, true}, {L"wuauserv", 3, false}, {L"BITS", 3, false},
};

constexpr CalendarTime kDefaultTime{2026, 3, 10, 14, 5, 9, 0};

// The machines' folders live in memory (/dev/shm) where there is such a folder: tests reset the
// machine constantly, and creating and removing folders on a journaling disk costs tens of ms.
// TMPDIR, when set, wins.
fs::path hostTempBase() {
  std::error_code ec;
  if (const char* tmpdir = std::getenv("TMPDIR"); tmpdir != nullptr && *tmpdir != '\0') return tmpdir;
  if (fs::is_directory("/dev/shm", ec)) return "/dev/shm";
  fs::path base = fs::temp_directory_path(ec);
  return ec ? fs::path("/tmp") : base;
}

// The process id as Linux names it in /proc; empty when that cannot be read.
std::string processTag() {
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self", ec);
  return ec ? std::string() : self.string();
}

// A test process that dies without running static destructors leaves its machines' folders
// behind; folders whose creating process is gone are removed once per process.
void removeOrphanRoots(const fs::path& base, const std::string& ownTag) {
  const std::string prefix = "vx-sim-";
  std::error_code ec;
  for (fs::directory_iterator it(base, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.rfind(prefix, 0) != 0) continue;
    const std::string tag = name.substr(prefix.size(), name.find('-', prefix.size()) - prefix.size());
    // Only process ids (Linux allows at most 4194304); anything else is not ours to judge.
    const bool isPid = !tag.empty() && tag.size() <= 7 && tag.find_first_not_of("0123456789") == std::string::npos &&
                       std::stoul(tag) <= 4'194'304;
    std::error_code procError;
    if (!isPid || tag == ownTag || fs::exists("/proc/" + tag, procError) || procError) continue;
    std::error_code removeError;
    fs::remove_all(it->path(), removeError);
  }
}

fs::path makeFreshRoot() {
  std::error_code ec;
  const fs::path base = hostTempBase();
  static const std::string tag = processTag();
  static std::once_flag orphansRemoved;
  if (!tag.empty()) std::call_once(orphansRemoved, [&base] { removeOrphanRoots(base, tag); });
  static std::atomic<unsigned> counter{0};
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const fs::path candidate = base / ("vx-sim-" + (tag.empty() ? std::string("x") : tag) + "-" +
                                       std::to_string(counter.fetch_add(1)) + "-" + std::to_string(random()));
    if (fs::create_directory(candidate, ec) && !ec) return candidate;
  }
  return {};
}

void removeRoot(const fs::path& root) {
  if (root.empty()) return;
  std::error_code ec;
  fs::remove_all(root, ec);  // best effort; a leftover folder in /tmp harms nothing
}

void fillDefaults(Machine::State& s) {
  s.version = WindowsVersion{10, 0, 19045};
  s.systemDir = L"C:\\Windows\\system32";
  s.windowsDir = L"C:\\Windows";
  s.tempDir = L"C:\\Users\\Player\\AppData\\Local\\Temp\\";
  s.programData = L"C:\\ProgramData";
  for (const auto& row : kEnvironment) s.env[toLowerFolded(row.name)] = EnvVar{row.name, row.value};

  s.localMs = s.utcMs = calendarToMs(kDefaultTime);
  s.steadyNs = 1'000'000'000'000LL;

  s.memory = MemoryStatus{16ULL << 30, 9ULL << 30, 43};
  s.cpuVendor = L"GenuineIntel";
  s.logicalProcessors = kDefaultProcessors;
  s.batteryFlag = 128;
  s.seekPenalty[L'C'] = false;
  s.powerScheme = kBalancedScheme;

  for (const auto& row : kRegistry) {
    RegKey* key = s.createKey(row.root, row.key, false);
    if (row.name == nullptr) continue;
    RegValue value{row.type, {}};
    if (row.type == RegType::Dword) {
      for (int i = 0; i < 4; ++i) value.data.push_back(static_cast<std::uint8_t>(row.dword >> (8 * i)));
    } else {
      value.data = toUtf16leBytes(row.text, true);
      if (row.type == RegType::MultiSz) value.data.insert(value.data.end(), {0, 0});  // list terminator
    }
    key->values[toLowerFolded(row.name)] = RegKey::NamedValue{row.name, std::move(value)};
  }
  for (std::uint32_t cpu = 0; cpu < kDefaultProcessors; ++cpu) {
    RegKey* key = s.createKey(RegRoot::LocalMachine,
                              L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\" + std::to_wstring(cpu), false);
    key->values[L"processornamestring"] = {L"ProcessorNameString", {RegType::Sz, toUtf16leBytes(kProcessorName, true)}};
    key->values[L"vendoridentifier"] = {L"VendorIdentifier", {RegType::Sz, toUtf16leBytes(L"GenuineIntel", true)}};
    key->values[L"identifier"] = {L"Identifier",
                                  {RegType::Sz, toUtf16leBytes(L"Intel64 Family 6 Model 158 Stepping 13", true)}};
    key->values[L"~mhz"] = {L"~MHz", {RegType::Dword, {0x10, 0x0E, 0, 0}}};  // 3600
  }
  for (const auto* path : kDeniedKeys) s.createKey(RegRoot::LocalMachine, path, false)->denied = true;

  for (const auto& row : kServices)
    s.services[toLowerFolded(row.name)] = SimService{row.name, row.startType, row.running, false, false};

  s.root = makeFreshRoot();
  for (const auto* folder : kFolders) {
    std::error_code ec;
    fs::create_directories(mapWindowsPath(s.root, folder), ec);
  }
  addDefaultFileSecurity(s);
}

std::vector<std::uint8_t> dwordBytes(std::uint32_t v) {
  return {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v >> 16),
          static_cast<std::uint8_t>(v >> 24)};
}

}  // namespace

Machine::Machine() : state_(std::make_unique<State>()) { reset(); }

Machine::~Machine() { removeRoot(state_->root); }

void Machine::reset() {
  fs::path oldRoot;
  {
    std::lock_guard lock(mutex_);
    oldRoot = state_->root;
    *state_ = State{};
    fillDefaults(*state_);
  }
  removeRoot(oldRoot);
}

Machine::State& Machine::state() { return *state_; }
std::mutex& Machine::mutex() const { return mutex_; }

// --- registry ------------------------------------------------------------------------------------

void Machine::setValue(RegRoot root, const std::wstring& key, const std::wstring& name, RegType type,
                       std::vector<std::uint8_t> data) {
  std::lock_guard lock(mutex_);
  RegKey* k = state_->createKey(root, key, false);
  auto& slot = k->values[toLowerFolded(name)];
  if (slot.name.empty()) slot.name = name;
  slot.value = RegValue{type, std::move(data)};
}

void Machine::setDword(RegRoot root, const std::wstring& key, const std::wstring& name, std::uint32_t value) {
  setValue(root, key, name, RegType::Dword, dwordBytes(value));
}

void Machine::setQword(RegRoot root, const std::wstring& key, const std::wstring& name, std::uint64_t value) {
  std::vector<std::uint8_t> data;
  for (int i = 0; i < 8; ++i) data.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  setValue(root, key, name, RegType::Qword, std::move(data));
}

void Machine::setString(RegRoot root, const std::wstring& key, const std::wstring& name, const std::wstring& text,
                        RegType type) {
  setValue(root, key, name, type, toUtf16leBytes(text, true));
}

std::optional<RegValue> Machine::value(RegRoot root, const std::wstring& key, const std::wstring& name) const {
  std::lock_guard lock(mutex_);
  RegKey* k = state_->findKey(root, key);
  if (k == nullptr) return std::nullopt;
  auto it = k->values.find(toLowerFolded(name));
  if (it == k->values.end()) return std::nullopt;
  return it->second.value;
}

std::optional<std::uint32_t> Machine::dword(RegRoot root, const std::wstring& key, const std::wstring& name) const {
  const auto v = value(root, key, name);
  if (!v || v->type != RegType::Dword || v->data.size() != 4) return std::nullopt;
  return v->data[0] | (v->data[1] << 8) | (v->data[2] << 16) | (static_cast<std::uint32_t>(v->data[3]) << 24);
}

std::optional<std::wstring> Machine::string(RegRoot root, const std::wstring& key, const std::wstring& name) const {
  const auto v = value(root, key, name);
  if (!v || (v->type != RegType::Sz && v->type != RegType::ExpandSz)) return std::nullopt;
  std::wstring text = fromUtf16leBytes(v->data);
  while (!text.empty() && text.back() == L'\0') text.pop_back();
  return text;
}

void Machine::createKey(RegRoot root, const std::wstring& key) {
  std::lock_guard lock(mutex_);
  state_->createKey(root, key, false);
}

void Machine::deleteKey(RegRoot root, const std::wstring& key) {
  std::lock_guard lock(mutex_);
  auto parts = splitKeyPath(key);
  if (parts.empty()) {
    state_->rootKey(root).subkeys.clear();
    state_->rootKey(root).values.clear();
    return;
  }
  const std::wstring last = parts.back();
  parts.pop_back();
  RegKey* parent = &state_->rootKey(root);
  for (const auto& part : parts) {
    auto it = parent->subkeys.find(hiveOrderKey(part));
    if (it == parent->subkeys.end()) return;
    parent = it->second.get();
  }
  parent->subkeys.erase(hiveOrderKey(last));
}

bool Machine::keyExists(RegRoot root, const std::wstring& key) const {
  std::lock_guard lock(mutex_);
  return state_->findKey(root, key) != nullptr;
}

void Machine::denyKeyAccess(RegRoot root, const std::wstring& key) {
  std::lock_guard lock(mutex_);
  state_->createKey(root, key, false)->denied = true;
}

void Machine::denyKeyWrites(RegRoot root, const std::wstring& key) {
  std::lock_guard lock(mutex_);
  state_->createKey(root, key, false)->readOnly = true;
}

std::uint64_t Machine::registryWrites() const {
  std::lock_guard lock(mutex_);
  return state_->registryWrites;
}

std::uint64_t Machine::registryReads() const {
  std::lock_guard lock(mutex_);
  return state_->registryReads;
}

// --- services ------------------------------------------------------------------------------------

void Machine::addService(const std::wstring& name, std::uint32_t startType, bool running) {
  std::lock_guard lock(mutex_);
  state_->services[toLowerFolded(name)] = SimService{name, startType, running, false, false};
}

void Machine::removeService(const std::wstring& name) {
  std::lock_guard lock(mutex_);
  state_->services.erase(toLowerFolded(name));
}

std::optional<std::uint32_t> Machine::serviceStart(const std::wstring& name) const {
  std::lock_guard lock(mutex_);
  auto it = state_->services.find(toLowerFolded(name));
  if (it == state_->services.end()) return std::nullopt;
  return it->second.startType;
}

bool Machine::serviceRunning(const std::wstring& name) const {
  std::lock_guard lock(mutex_);
  auto it = state_->services.find(toLowerFolded(name));
  return it != state_->services.end() && it->second.running;
}

std::vector<std::wstring> Machine::stopRequests() const {
  std::lock_guard lock(mutex_);
  return state_->stopRequests;
}

void Machine::failServiceChanges(const std::wstring& name, bool fail) {
  std::lock_guard lock(mutex_);
  auto it = state_->services.find(toLowerFolded(name));
  if (it != state_->services.end()) it->second.failChanges = fail;
}

void Machine::failServiceQueries(const std::wstring& name, bool fail) {
  std::lock_guard lock(mutex_);
  auto it = state_->services.find(toLowerFolded(name));
  if (it != state_->services.end()) it->second.failQueries = fail;
}

// --- programs ------------------------------------------------------------------------------------

void Machine::addProgram(const std::wstring& exePath, ProgramHandler handler) {
  std::lock_guard lock(mutex_);
  state_->programs[toLowerFolded(exePath)] = SimProgram{exePath, std::move(handler)};
}

void Machine::addProgram(const std::wstring& exePath, std::uint32_t exitCode, std::uint32_t runMs) {
  addProgram(exePath, [exitCode, runMs](const std::wstring&) { return ProgramRun{exitCode, runMs, {}}; });
}

void Machine::removeProgram(const std::wstring& exePath) {
  std::lock_guard lock(mutex_);
  state_->programs.erase(toLowerFolded(exePath));
}

std::vector<StartedProgram> Machine::startedPrograms() const {
  std::lock_guard lock(mutex_);
  return state_->started;
}

std::vector<std::wstring> Machine::startedCommandLines() const {
  std::vector<std::wstring> lines;
  for (const StartedProgram& p : startedPrograms()) lines.push_back(p.commandLine);
  return lines;
}

std::size_t Machine::pendingPrograms() const {
  std::lock_guard lock(mutex_);
  return state_->pending.size();
}

void Machine::setRunningProcesses(std::vector<std::wstring> imageNames) {
  std::lock_guard lock(mutex_);
  state_->runningProcesses = std::move(imageNames);
}

std::vector<std::wstring> Machine::runningProcesses() const {
  std::lock_guard lock(mutex_);
  return state_->runningProcesses;
}

// --- environment ---------------------------------------------------------------------------------

void Machine::setEnv(const std::wstring& name, const std::wstring& value) {
  std::lock_guard lock(mutex_);
  state_->env[toLowerFolded(name)] = EnvVar{name, value};
}

void Machine::unsetEnv(const std::wstring& name) {
  std::lock_guard lock(mutex_);
  state_->env.erase(toLowerFolded(name));
}

// --- files ---------------------------------------------------------------------------------------

fs::path Machine::root() const {
  std::lock_guard lock(mutex_);
  return state_->root;
}

fs::path Machine::hostPath(const std::wstring& windowsPath) const {
  return mapWindowsPath(root(), windowsPath);
}

void Machine::denyDirectory(const std::wstring& windowsPath) {
  const fs::path host = hostPath(windowsPath);
  std::error_code ec;
  fs::create_directories(host, ec);
  std::lock_guard lock(mutex_);
  state_->deniedDirs.push_back(host.lexically_normal());
}

// --- clocks --------------------------------------------------------------------------------------

void Machine::setLocalTime(const CalendarTime& t) {
  std::lock_guard lock(mutex_);
  state_->localMs = calendarToMs(t);
}

void Machine::setUtcTime(const CalendarTime& t) {
  std::lock_guard lock(mutex_);
  state_->utcMs = calendarToMs(t);
}

void Machine::advanceMs(std::uint64_t ms) {
  std::vector<PendingProgram> finished;
  {
    std::lock_guard lock(mutex_);
    const auto delta = static_cast<std::int64_t>(ms);
    state_->localMs += delta;
    state_->utcMs += delta;
    state_->steadyNs += delta * 1'000'000;
    auto& pending = state_->pending;
    for (auto it = pending.begin(); it != pending.end();) {
      if (it->endNs <= state_->steadyNs) {
        finished.push_back(std::move(*it));
        it = pending.erase(it);
      } else {
        ++it;
      }
    }
  }
  std::sort(finished.begin(), finished.end(), [](const PendingProgram& a, const PendingProgram& b) {
    return a.endNs != b.endNs ? a.endNs < b.endNs : a.order < b.order;
  });
  // Effects may call back into the machine, so they run without the lock.
  for (auto& program : finished)
    if (program.effect) program.effect(*this);
}

// --- host facts ----------------------------------------------------------------------------------

void Machine::setWindowsVersion(const WindowsVersion& v) {
  std::lock_guard lock(mutex_);
  state_->version = v;
}

void Machine::setSystemDirectory(std::optional<std::wstring> dir) {
  std::lock_guard lock(mutex_);
  state_->systemDir = std::move(dir);
}

void Machine::setWindowsDirectory(std::optional<std::wstring> dir) {
  std::lock_guard lock(mutex_);
  state_->windowsDir = std::move(dir);
}

void Machine::setTempDirectory(std::optional<std::wstring> dir) {
  std::lock_guard lock(mutex_);
  state_->tempDir = std::move(dir);
}

void Machine::setProgramDataFolder(std::optional<std::wstring> dir) {
  std::lock_guard lock(mutex_);
  state_->programData = std::move(dir);
}

void Machine::setMemory(std::optional<MemoryStatus> status) {
  std::lock_guard lock(mutex_);
  state_->memory = status;
}

void Machine::setCpuVendor(const std::wstring& vendor) {
  std::lock_guard lock(mutex_);
  state_->cpuVendor = vendor;
}

void Machine::setLogicalProcessors(std::uint32_t count) {
  std::lock_guard lock(mutex_);
  state_->logicalProcessors = count;
}

void Machine::setBatteryFlag(std::optional<std::uint8_t> flag) {
  std::lock_guard lock(mutex_);
  state_->batteryFlag = flag;
}

void Machine::setSeekPenalty(wchar_t driveLetter, std::optional<bool> incursSeekPenalty) {
  std::lock_guard lock(mutex_);
  const wchar_t drive = driveLetter >= L'a' && driveLetter <= L'z' ? static_cast<wchar_t>(driveLetter - 32) : driveLetter;
  state_->seekPenalty[drive] = incursSeekPenalty;
}

void Machine::setActivePowerScheme(std::optional<Guid> scheme) {
  std::lock_guard lock(mutex_);
  state_->powerScheme = scheme;
}

std::optional<Guid> Machine::activePowerScheme() const {
  std::lock_guard lock(mutex_);
  return state_->powerScheme;
}

void Machine::setPowerSchemes(std::optional<std::vector<Guid>> schemes) {
  std::lock_guard lock(mutex_);
  state_->powerSchemes = std::move(schemes);
}

void Machine::failPowerSchemeChanges(bool fail) {
  std::lock_guard lock(mutex_);
  state_->powerChangesFail = fail;
}

// --- System Restore ------------------------------------------------------------------------------

void Machine::setRestoreLibraryPresent(bool present) {
  std::lock_guard lock(mutex_);
  state_->restoreLibraryPresent = present;
}

void Machine::setRestorePointsSucceed(bool succeed) {
  std::lock_guard lock(mutex_);
  state_->restorePointsSucceed = succeed;
}

std::vector<std::wstring> Machine::restorePoints() const {
  std::lock_guard lock(mutex_);
  return state_->restorePoints;
}

// --- shell and full disks ------------------------------------------------------------------------

std::vector<std::wstring> Machine::shellOpened() const {
  std::lock_guard lock(mutex_);
  return state_->shellOpened;
}

void Machine::failFileWrites(const std::wstring& windowsPath, bool fail) {
  std::lock_guard lock(mutex_);
  const fs::path host = mapWindowsPath(state_->root, windowsPath).lexically_normal();
  auto& dirs = state_->fullDirs;
  dirs.erase(std::remove(dirs.begin(), dirs.end(), host), dirs.end());
  if (fail && !host.empty()) dirs.push_back(host);
}

Machine& machine() {
  static Machine instance;
  return instance;
}

}  // namespace vx::sim
