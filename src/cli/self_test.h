// The checks of vxctl selftest: what the program relies on from Windows, asked on the user's own
// PC (privileges, COM, System Restore, the GPU counter, power schemes, the shell, the adapter
// classification, the timer rule, reg.exe, the private folder, Windows' tools). Read-only except
// for a scratch registry key, created and removed again, and a restore point when asked for.
// Called by selftest_command.cpp; the tests run the same table on simulated machines.
#pragma once
#include <string>
#include <vector>

namespace vx::cli {

enum class CheckResult { Pass, Fail, NotApplicable };

struct CheckLine {
  std::wstring name;
  CheckResult result = CheckResult::Fail;
  std::wstring detail;
};

struct SelfTestOptions {
  bool createRestorePoint = false;  // --restore-point: actually ask System Restore for a point
};

// The scratch key below HKEY_CURRENT_USER that the reg.exe check exports; gone after the run.
inline constexpr const wchar_t* kSelfTestKey = L"Software\\Vantorix\\SelfTest";

// Every check in its fixed order, one line each.
std::vector<CheckLine> runSelfTest(const SelfTestOptions& options);

// "✔ ", "✗ " or "— ", the name, ": ", the detail; one line per check, each ending in a line feed.
std::wstring selfTestText(const std::vector<CheckLine>& lines);

// {"checks": [{"name", "result": "pass" | "fail" | "na", "detail"}]} as UTF-8.
std::string selfTestJson(const std::vector<CheckLine>& lines);

// 0 when no check failed (checks that do not apply do not count), 1 otherwise.
int selfTestExitCode(const std::vector<CheckLine>& lines);

}  // namespace vx::cli
