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

// Where a verb stands in the usage text: reading first, then changing, then the services.
// Registration order across files is not defined, so each verb names its place.
enum class CliPlace {
  List = 10, Status = 20, Host = 30, Hardware = 40, SelfTest = 45, Advice = 50, Games = 60, Backups = 70,
  Apply = 110, Revert = 120, Category = 130, Profile = 140,
  Export = 150, Import = 160,
  Show = 65, History = 75, Drift = 78, Restore = 125,  // the change journal
  Clean = 210, Monitor = 220, Boost = 230, Ask = 240,
};

struct CliCommand {
  CliPlace place;
  std::wstring name;         // first argument, e.g. L"list"
  std::wstring usage;        // the call, e.g. L"vxctl apply ID..."
  std::wstring description;  // what it does, one short Russian line
  std::function<int(const std::vector<std::wstring>& args)> run;  // args after the name
};

// Every registered verb, in usage order.
const std::vector<CliCommand>& commands();

struct CliRegistrar {
  explicit CliRegistrar(CliCommand command);
};

// Output helpers: UTF-8 lines on standard output / standard error.
void printLine(const std::wstring& text);
void printError(const std::wstring& text);

// The usage text: the version line, then one line per verb with its description.
std::wstring usageText();

// Prints the reason and the usage text to standard error and returns kExitUsage.
int usageError(const std::wstring& why = {});

}  // namespace vx::cli
