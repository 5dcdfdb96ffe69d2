// Runs one vxctl verb in the test process and keeps what it printed: for the native tests of the
// console verbs on the simulated machine.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text.h"
#include "cli/cli_command.h"

namespace vx::test {

struct CliRun {
  int exitCode = -1;
  std::string out;  // standard output, UTF-8
  std::string err;  // standard error, UTF-8
};

inline CliRun runVerb(const std::wstring& verb, const std::vector<std::wstring>& args) {
  for (const auto& command : cli::commands()) {
    if (command.name != verb) continue;
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    CliRun r;
    r.exitCode = command.run(args);
    r.out = ::testing::internal::GetCapturedStdout();
    r.err = ::testing::internal::GetCapturedStderr();
    return r;
  }
  ADD_FAILURE() << "no verb " << toUtf8(verb);
  return {};
}

}  // namespace vx::test
