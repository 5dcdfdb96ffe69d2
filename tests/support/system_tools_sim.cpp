#include "support/system_tools_sim.h"

#include <fstream>
#include <optional>
#include <vector>

#include "base/text.h"
#include "platform/system.h"

namespace vx::test {

namespace {

// The double-quoted arguments of a command line, in order.
std::vector<std::wstring> quotedArguments(const std::wstring& line) {
  std::vector<std::wstring> out;
  std::size_t pos = 0;
  while ((pos = line.find(L'"', pos)) != std::wstring::npos) {
    const std::size_t close = line.find(L'"', pos + 1);
    if (close == std::wstring::npos) break;
    out.push_back(line.substr(pos + 1, close - pos - 1));
    pos = close + 1;
  }
  return out;
}

struct RootName {
  const wchar_t* shortName;
  const wchar_t* longName;
  RegRoot root;
};
constexpr RootName kRoots[] = {
    {L"HKLM", L"HKEY_LOCAL_MACHINE", RegRoot::LocalMachine},
    {L"HKCU", L"HKEY_CURRENT_USER", RegRoot::CurrentUser},
    {L"HKCR", L"HKEY_CLASSES_ROOT", RegRoot::ClassesRoot},
    {L"HKU", L"HKEY_USERS", RegRoot::Users},
};

std::string utf16le(const std::wstring& text) {
  std::string bytes = "\xFF\xFE";
  for (wchar_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>((c >> 8) & 0xFF));
  }
  return bytes;
}

// reg.exe export "ROOT\key" "file" /y
sim::ProgramRun regExe(const std::wstring& line) {
  const auto args = quotedArguments(line.substr(line.find(L" export ") == std::wstring::npos ? 0 : line.find(L" export ")));
  if (line.find(L" export ") == std::wstring::npos || args.size() != 2) return {1};
  const std::wstring& keyName = args[0];
  const std::size_t slash = keyName.find(L'\\');
  const std::wstring rootText = keyName.substr(0, slash);
  const std::wstring subkey = slash == std::wstring::npos ? L"" : keyName.substr(slash + 1);
  for (const auto& root : kRoots) {
    if (!equalsFolded(rootText, root.shortName)) continue;
    if (!sim::machine().keyExists(root.root, subkey)) return {1};
    const std::wstring file = args[1];
    const std::wstring text = regFileText(std::wstring(root.longName) + L"\\" + subkey);
    return {0, 50, [file, text](sim::Machine& m) {
              std::ofstream out(m.hostPath(file), std::ios::binary | std::ios::trunc);
              out << utf16le(text);
            }};
  }
  return {1};
}

// The blank-separated words after the executable.
std::vector<std::wstring> wordsAfterExecutable(const std::wstring& line) {
  std::size_t pos = line.starts_with(L'"') ? line.find(L'"', 1) + 1 : line.find(L' ');
  std::vector<std::wstring> words;
  while (pos != std::wstring::npos && pos < line.size()) {
    const std::size_t start = line.find_first_not_of(L' ', pos);
    if (start == std::wstring::npos) break;
    pos = line.find(L' ', start);
    words.push_back(line.substr(start, pos == std::wstring::npos ? std::wstring::npos : pos - start));
  }
  return words;
}

}  // namespace

std::shared_ptr<BootElements> installBcdedit(sim::Machine& m, BootElements elements) {
  auto boot = std::make_shared<BootElements>(std::move(elements));
  m.addProgram(systemDirectory().value_or(L"C:\\Windows\\system32") + L"\\bcdedit.exe",
               [boot](const std::wstring& line) {
                 const std::vector<std::wstring> words = wordsAfterExecutable(line);
                 if (words.size() < 3 || words[1] != L"{current}") return sim::ProgramRun{1, 30, {}};
                 const std::wstring command = toLowerFolded(words[0]);
                 const std::wstring element = toLowerFolded(words[2]);
                 if (command == L"/set" && words.size() == 4) {
                   (*boot)[element] = words[3];
                   return sim::ProgramRun{0, 30, {}};
                 }
                 if (command == L"/deletevalue" && words.size() == 3)
                   return sim::ProgramRun{boot->erase(element) == 1 ? 0u : 1u, 30, {}};
                 return sim::ProgramRun{1, 30, {}};
               });
  return boot;
}

std::wstring simRegExePath() { return systemDirectory().value_or(L"C:\\Windows\\system32") + L"\\reg.exe"; }

std::wstring simPowerShellPath() {
  return systemDirectory().value_or(L"C:\\Windows\\system32") + L"\\WindowsPowerShell\\v1.0\\powershell.exe";
}

std::wstring regFileText(const std::wstring& fullKeyName) {
  return L"Windows Registry Editor Version 5.00\r\n\r\n[" + fullKeyName + L"]\r\n\r\n";
}

void installSystemTools(sim::Machine& m) {
  m.addProgram(simRegExePath(), regExe);
  m.addProgram(simPowerShellPath(), 0, 400);
}

}  // namespace vx::test
