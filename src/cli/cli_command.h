// The command table of vxctl, the console front end: each command file registers its verbs with a
// static CliRegistrar, and vxctl's main dispatches on the first argument.
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace vx::cli {

// Exit statuses: everything asked for succeeded, something failed, the call's words are off.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

struct CliCommand {
  std::wstring name;   // first argument, e.g. L"list"
  std::wstring usage;  // one line shown in the usage text, e.g. L"vxctl apply ID..."
  std::function<int(const std::vector<std::wstring>& args)> run;  // args after the name
};

const std::vector<CliCommand>& commands();

struct CliRegistrar {
  explicit CliRegistrar(CliCommand command);
};

// Output helpers: UTF-8 lines on standard output / standard error.
void printLine(const std::wstring& text);
void printError(const std::wstring& text);

// Prints the usage text to standard error and returns kExitUsage.
int usageError(const std::wstring& why = {});

}  // namespace vx::cli
