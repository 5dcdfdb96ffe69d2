#include "cli/cli_command.h"

#include "platform/console.h"

namespace vx::cli {

namespace {

std::vector<CliCommand>& table() {
  static std::vector<CliCommand> commands;
  return commands;
}

}  // namespace

const std::vector<CliCommand>& commands() { return table(); }

CliRegistrar::CliRegistrar(CliCommand command) { table().push_back(std::move(command)); }

void printLine(const std::wstring& text) { writeStdout(text + L"\n"); }
void printError(const std::wstring& text) { writeStderr(text + L"\n"); }

int usageError(const std::wstring& why) {
  if (!why.empty()) printError(L"vxctl: " + why);
  std::wstring text = L"Использование:\n";
  for (const auto& command : commands()) text += L"  " + command.usage + L"\n";
  writeStderr(text);
  return kExitUsage;
}

}  // namespace vx::cli
