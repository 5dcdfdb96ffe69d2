// vxctl clean, monitor and boost on the simulated machine: the printed result texts, the exit
// codes, the option words, and a boost run ended by Ctrl+C that releases the timer.
#include <gtest/gtest.h>

#include "base/text.h"

#include <string>
#include <vector>

#include "cli/cli_command.h"
#include "cli/count_option.h"
#include "platform/files.h"
#include "support/sim_test.h"

namespace vx {
namespace {

struct VerbRun {
  int exitCode = -1;
  std::string out;
};

class ServicesCommandsTest : public test::SimTest {
 protected:
  VerbRun run(const std::wstring& verb, const std::vector<std::wstring>& args) {
    for (const auto& command : cli::commands()) {
      if (command.name != verb) continue;
      ::testing::internal::CaptureStdout();
      ::testing::internal::CaptureStderr();
      VerbRun result;
      result.exitCode = command.run(args);
      result.out = ::testing::internal::GetCapturedStdout();
      ::testing::internal::GetCapturedStderr();
      return result;
    }
    ADD_FAILURE() << "no verb " << toUtf8(verb);
    return {};
  }
};

TEST_F(ServicesCommandsTest, CleanPrintsTheJobTextAndExitsByItsSuccess) {
  ASSERT_TRUE(writeFileBytes(L"C:\\Windows\\Temp\\old.tmp", std::string(3 << 19, 'x')));
  machine.setRecycleBinResult(1);
  machine.addProgram(L"C:\\Windows\\system32\\taskkill.exe", 0);
  machine.addProgram(L"C:\\Windows\\explorer.exe", 0, 60'000);
  struct Case {
    const wchar_t* action;
    int exitCode;
    const char* out;
  };
  const Case cases[] = {
      {L"temp", cli::kExitOk, "Удалено файлов: 1, освобождено: 1 МБ\n"},
      {L"dns", cli::kExitFailed, "Не удалось сбросить DNS\n"},
      {L"bin", cli::kExitFailed, "Корзина пуста или недоступна\n"},
      {L"explorer", cli::kExitOk, "Explorer перезапущен\n"},
  };
  for (const Case& c : cases) {
    const VerbRun r = run(L"clean", {c.action});
    EXPECT_EQ(r.exitCode, c.exitCode) << toUtf8(c.action);
    EXPECT_EQ(r.out, c.out) << toUtf8(c.action);
  }
}

TEST_F(ServicesCommandsTest, WrongWordsAreUsageErrors) {
  const std::pair<const wchar_t*, std::vector<std::wstring>> cases[] = {
      {L"clean", {}},
      {L"clean", {L"everything"}},
      {L"clean", {L"temp", L"dns"}},
      {L"monitor", {L"--samples"}},
      {L"monitor", {L"--samples", L"0"}},
      {L"monitor", {L"--samples", L"x3"}},
      {L"boost", {L"--seconds", L"-1"}},
      {L"boost", {L"--minutes", L"5"}},
  };
  for (const auto& [verb, args] : cases) EXPECT_EQ(run(verb, args).exitCode, cli::kExitUsage) << toUtf8(verb);
}

TEST(CountOption, AcceptsOneWholeNumberAfterItsName) {
  struct Case {
    std::vector<std::wstring> args;
    bool valid;
    std::optional<std::uint32_t> value;
  };
  const Case cases[] = {
      {{}, true, std::nullopt},
      {{L"--samples", L"3"}, true, 3},
      {{L"--samples", L"86400"}, true, 86400},
      {{L"--samples", L"86401"}, false, std::nullopt},
      {{L"--samples", L"99999999999"}, false, std::nullopt},
      {{L"--samples", L""}, false, std::nullopt},
      {{L"--seconds", L"3"}, false, std::nullopt},
      {{L"3"}, false, std::nullopt},
  };
  for (const Case& c : cases) {
    const cli::CountOption option = cli::parseCountOption(c.args, L"--samples");
    EXPECT_EQ(option.valid, c.valid) << c.args.size();
    EXPECT_EQ(option.value, c.value) << c.args.size();
  }
}

TEST_F(ServicesCommandsTest, BoostEndsOnCtrlCWithTheTimerReleased) {
  machine.setRunningProcesses({L"cs2.exe"});
  machine.interruptConsole();
  const VerbRun r = run(L"boost", {L"--seconds", L"60"});
  EXPECT_EQ(r.exitCode, cli::kExitOk);
  EXPECT_EQ(machine.heldTimerResolution(), 0u);
  ASSERT_GE(r.out.size(), 2u);
  EXPECT_EQ(r.out.find("Движок: вкл"), 0u) << r.out;
  EXPECT_NE(r.out.find("\nДвижок выключен\n"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace vx
