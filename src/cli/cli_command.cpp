#include "cli/cli_command.h"

#include <algorithm>

#include "base/version.h"
#include "cli/elevation_gate.h"
#include "platform/console.h"

namespace vx::cli {

namespace {

std::vector<CliCommand>& table() {
  static std::vector<CliCommand> commands;
  return commands;
}

}  // namespace

const std::vector<CliCommand>& commands() { return table(); }

CliRegistrar::CliRegistrar(CliCommand command) {
  command.run = requireElevation(command.name, std::move(command.run));
  auto& commands = table();
  const auto at = std::upper_bound(commands.begin(), commands.end(), command.place,
                                   [](CliPlace place, const CliCommand& c) { return place < c.place; });
  commands.insert(at, std::move(command));
}

void printLine(const std::wstring& text) { writeStdout(text + L"\n"); }
void printError(const std::wstring& text) { writeStderr(text + L"\n"); }

std::wstring usageText() {
  struct Line { std::wstring usage, description; };
  std::vector<Line> lines;
  for (const auto& command : commands()) lines.push_back({command.usage, command.description});
  lines.push_back({L"vxctl help", L"эта справка (также --help и -h)"});
  lines.push_back({L"vxctl --version", L"версия программы"});
  std::size_t width = 0;
  for (const auto& line : lines) width = std::max(width, line.usage.size());
  std::wstring text = L"vxctl " VX_VERSION_WIDE L" — консольная часть Vantorix\nИспользование:\n";
  for (const auto& line : lines)
    text += L"  " + line.usage + std::wstring(width + 2 - line.usage.size(), L' ') + line.description + L"\n";
  return text;
}

int usageError(const std::wstring& why) {
  if (!why.empty()) printError(L"vxctl: " + why);
  writeStderr(usageText());
  return kExitUsage;
}

}  // namespace vx::cli
