// vxctl selftest [--json] [--restore-point]: the checks of self_test.h, one line each or as JSON;
// exit 0 when none failed. It only reads, so it runs without elevation and reports whether it has it.
#include <string>

#include "base/text.h"
#include "cli/cli_command.h"
#include "cli/self_test.h"
#include "platform/console.h"

namespace vx::cli {

namespace {

int runSelfTestCommand(const std::vector<std::wstring>& args) {
  bool json = false;
  SelfTestOptions options;
  for (const std::wstring& arg : args) {
    if (arg == L"--json") {
      json = true;
    } else if (arg == L"--restore-point") {
      options.createRestorePoint = true;
    } else {
      return usageError(L"selftest не знает аргумент «" + arg + L"»");
    }
  }
  const std::vector<CheckLine> lines = runSelfTest(options);
  writeStdout(json ? fromUtf8(selfTestJson(lines)) : selfTestText(lines));
  return selfTestExitCode(lines);
}

const CliRegistrar registrar{{CliPlace::SelfTest, L"selftest", L"vxctl selftest [--json] [--restore-point]",
                              L"самопроверка: что Windows этого ПК даёт программе", runSelfTestCommand}};

}  // namespace

}  // namespace vx::cli
