// The contract scene on the simulated machine: each reset() is a fresh default machine, the child
// program is a registered program of that machine, and waiting moves its clock.
#include <atomic>
#include <cwchar>
#include <filesystem>
#include <system_error>

#include "platform/files.h"
#include "platform/scene.h"
#include "platform/sim/machine.h"

namespace vx::scene {

namespace {

constexpr const wchar_t* kChildPath = L"C:\\Tests\\vx_testchild.exe";

// The arguments after the executable, split at blanks; double quotes group and are dropped.
std::vector<std::wstring> argumentsOf(const std::wstring& commandLine) {
  std::vector<std::wstring> tokens;
  std::wstring current;
  bool quoted = false;
  bool inToken = false;
  for (wchar_t c : commandLine) {
    if (c == L'"') {
      quoted = !quoted;
      inToken = true;
    } else if ((c == L' ' || c == L'\t') && !quoted) {
      if (inToken) tokens.push_back(current);
      current.clear();
      inToken = false;
    } else {
      current.push_back(c);
      inToken = true;
    }
  }
  if (inToken) tokens.push_back(current);
  if (!tokens.empty()) tokens.erase(tokens.begin());  // the executable
  return tokens;
}

// "N M [FILE]": exit code N after M ms, creating the empty FILE first, like tests/tools/test_child.
sim::ProgramRun testChild(const std::wstring& commandLine) {
  const auto args = argumentsOf(commandLine);
  if (args.size() < 2) return {2, 0, {}};
  const auto exitCode = static_cast<std::uint32_t>(std::wcstoul(args[0].c_str(), nullptr, 10));
  const auto runMs = static_cast<std::uint32_t>(std::wcstoul(args[1].c_str(), nullptr, 10));
  std::function<void(sim::Machine&)> effect;
  if (args.size() >= 3) effect = [file = args[2]](sim::Machine&) { writeFileBytes(file, std::string()); };
  return {exitCode, runMs, std::move(effect)};
}

}  // namespace

void reset() { sim::machine().reset(); }

std::wstring testKey() { return L"Software\\VantorixContract"; }

void writeRawValue(RegRoot root, const std::wstring& subkey, const std::wstring& name, std::uint32_t type,
                   const std::vector<std::uint8_t>& data) {
  sim::machine().setValue(root, subkey, name, static_cast<sim::RegType>(type), data);
}

void deleteKeyTree(RegRoot root, const std::wstring& subkey) { sim::machine().deleteKey(root, subkey); }

// A created service is configured but not started, as CreateServiceW leaves it.
bool addService(const std::wstring& name, std::uint32_t startType) {
  sim::machine().addService(name, startType, false);
  return true;
}

void removeService(const std::wstring& name) { sim::machine().removeService(name); }

std::wstring childProgramPath() {
  sim::machine().addProgram(kChildPath, testChild);
  return kChildPath;
}

void waitMs(std::uint32_t ms) { sim::machine().advanceMs(ms); }

void setEnvironmentVariable(const std::wstring& name, const std::optional<std::wstring>& value) {
  if (value) {
    sim::machine().setEnv(name, *value);
  } else {
    sim::machine().unsetEnv(name);
  }
}

std::wstring scratchFolder() {
  static std::atomic<unsigned> counter{0};
  const std::wstring folder = L"C:\\Users\\Player\\AppData\\Local\\Temp\\vx-scratch-" + std::to_wstring(++counter);
  createDirectories(folder);
  return folder;
}

bool makeDirectoryLink(const std::wstring& linkPath, const std::wstring& target) {
  std::error_code ec;
  std::filesystem::create_directory_symlink(sim::machine().hostPath(target), sim::machine().hostPath(linkPath), ec);
  return !ec;
}

bool denyFolder(const std::wstring& path) {
  sim::machine().denyDirectory(path);
  return true;
}

bool makeReadOnly(const std::wstring& path) {
  sim::machine().setReadOnly(path);
  return sim::machine().isReadOnly(path);
}

bool isReadOnly(const std::wstring& path) { return sim::machine().isReadOnly(path); }

namespace {

// The simulated "open handle": the file is locked while this lives.
struct HeldFile {
  explicit HeldFile(std::wstring p) : path(std::move(p)) { sim::machine().lockFile(path); }
  ~HeldFile() { sim::machine().lockFile(path, false); }
  std::wstring path;
};

}  // namespace

std::shared_ptr<void> holdOpen(const std::wstring& path) {
  if (fileStatus(path).kind != FileKind::File) return {};
  return std::make_shared<HeldFile>(path);
}

std::wstring ownProcessImageName() {
  sim::machine().setRunningProcesses({L"System", L"explorer.exe", L"vx_tests.exe"});
  return L"vx_tests.exe";
}

}  // namespace vx::scene
