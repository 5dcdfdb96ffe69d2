// vxctl: the console front end of Vantorix for scripting and for the end-to-end tests. It runs
// the same core as the window program; each verb lives in its own *_command.cpp file.
#include <string>
#include <vector>

#include "cli/cli_command.h"
#include "cli/vxctl_process.h"
#include "base/text.h"
#include "base/version.h"
#include "platform/console.h"

namespace {

int dispatch(std::vector<std::wstring> args) {
  using namespace vx::cli;
  prepareVxctlProcess();
  if (args.empty()) return usageError();
  const std::wstring verb = args.front();
  if (verb == L"help" || verb == L"--help" || verb == L"-h") {
    vx::writeStdout(usageText());
    return kExitOk;
  }
  if (verb == L"--version") {
    printLine(L"vxctl " VX_VERSION_WIDE);
    return kExitOk;
  }
  args.erase(args.begin());
  for (const auto& command : commands())
    if (command.name == verb) return command.run(args);
  return usageError(L"неизвестная команда «" + verb + L"»");
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
  vx::prepareUtf8Console();
  return dispatch(std::vector<std::wstring>(argv + 1, argv + argc));
}
#else
int main(int argc, char** argv) {
  std::vector<std::wstring> args;
  for (int i = 1; i < argc; ++i) args.push_back(vx::fromUtf8(argv[i]));
  return dispatch(std::move(args));
}
#endif
