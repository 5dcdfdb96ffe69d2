// vxctl export and import on the simulated machine with the real catalogue: the applied set round
// trip, the refusals (exit 2, nothing changed), the dry run, and exit 1 when a tweak of the file is
// unavailable because the program runs under another account.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "base/text.h"
#include "cli/cli_command.h"
#include "core/user_account.h"
#include "platform/files.h"
#include "support/cli_run.h"
#include "support/sim_test.h"
#include "support/system_tools_sim.h"

namespace vx {
namespace {

using test::runVerb;

const std::wstring kSet = L"C:\\set.json";

std::string setWith(const std::string& tweaks) {
  return "{\"format\": \"vantorix-tweaks\", \"version\": 1, \"created\": \"2026-01-01T00:00:00\", "
         "\"windowsBuild\": 19045, \"tweaks\": " + tweaks + "}";
}

class TweakSetCommandsTest : public test::SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    forgetAccountDecision();
    test::installSystemTools(machine);
  }
  void TearDown() override { forgetAccountDecision(); }

  std::string stateOf(const std::wstring& id) {
    const test::CliRun r = runVerb(L"status", {id});
    const auto tab = r.out.find('\t');
    return tab == std::string::npos ? r.out : r.out.substr(tab + 1, r.out.size() - tab - 2);
  }
};

TEST_F(TweakSetCommandsTest, ExportWithoutIdsKeepsExactlyTheAppliedTweaks) {
  ASSERT_EQ(runVerb(L"apply", {L"perf.priorityseparation"}).exitCode, cli::kExitOk);
  const test::CliRun exported = runVerb(L"export", {kSet});
  ASSERT_EQ(exported.exitCode, cli::kExitOk) << exported.err;

  const auto file = nlohmann::json::parse(readFileBytes(kSet).value_or(""));
  EXPECT_EQ(file["format"], "vantorix-tweaks");
  EXPECT_EQ(file["version"], 1);
  std::vector<std::string> applied;
  const auto listed = nlohmann::json::parse(runVerb(L"list", {L"--json"}).out);
  for (const auto& row : listed["tweaks"])
    if (row["state"] == "Applied") applied.push_back(row["id"]);
  EXPECT_EQ(file["tweaks"].get<std::vector<std::string>>(), applied);
  EXPECT_NE(std::find(applied.begin(), applied.end(), "perf.priorityseparation"), applied.end());
  EXPECT_EQ(exported.out, "Сохранено твиков: " + std::to_string(applied.size()) + " — C:\\set.json\n");

  // Given ids are written as given; an unknown one writes nothing.
  ASSERT_EQ(runVerb(L"export", {kSet, L"perf.hags", L"system.show_ext"}).exitCode, cli::kExitOk);
  EXPECT_EQ(nlohmann::json::parse(readFileBytes(kSet).value_or(""))["tweaks"],
            nlohmann::json::array({"perf.hags", "system.show_ext"}));
  EXPECT_EQ(runVerb(L"export", {L"C:\\other.json", L"perf.nope"}).exitCode, cli::kExitFailed);
  EXPECT_EQ(fileStatus(L"C:\\other.json").kind, FileKind::Missing);
}

TEST_F(TweakSetCommandsTest, RefusedFilesChangeNothingAndExitTwo) {
  struct Case {
    const char* label;
    std::string text;
    const char* error;
  };
  const Case cases[] = {
      {"not JSON", "perf.priorityseparation\n", "vxctl: Файл набора — не JSON\n"},
      {"another format", "{\"format\": \"other\", \"version\": 1, \"tweaks\": [\"perf.priorityseparation\"]}",
       "vxctl: Это не набор твиков Vantorix (ожидается формат vantorix-tweaks, версия 1)\n"},
      {"2 MiB", setWith("[\"perf.priorityseparation\"" + std::string(2u << 20, ' ') + "]"),
       "vxctl: Файл набора больше 1 МиБ — не загружен\n"},
      {"no known id", setWith("[\"perf.nope\", \"game.none\"]"), "vxctl: В наборе нет ни одного известного твика\n"},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(writeFileBytes(kSet, c.text));
    const auto writesBefore = machine.registryWrites();
    for (const bool dryRun : {false, true}) {
      const test::CliRun r = runVerb(L"import", dryRun ? std::vector<std::wstring>{kSet, L"--dry-run"}
                                                       : std::vector<std::wstring>{kSet});
      EXPECT_EQ(r.exitCode, cli::kExitUsage) << c.label;
      EXPECT_EQ(r.err, c.error) << c.label;
      EXPECT_EQ(r.out, "") << c.label;
    }
    EXPECT_EQ(machine.registryWrites(), writesBefore) << c.label;
    EXPECT_TRUE(machine.startedPrograms().empty()) << c.label;
    EXPECT_TRUE(machine.restorePoints().empty()) << c.label;
  }
  EXPECT_EQ(runVerb(L"import", {L"C:\\missing.json"}).exitCode, cli::kExitUsage);
  EXPECT_EQ(runVerb(L"import", {}).exitCode, cli::kExitUsage);
}

TEST_F(TweakSetCommandsTest, DryRunSaysPerIdWhatWouldHappenThenImportAppliesTheRest) {
  ASSERT_EQ(runVerb(L"apply", {L"perf.priorityseparation"}).exitCode, cli::kExitOk);
  ASSERT_TRUE(writeFileBytes(kSet, setWith("[\"perf.priorityseparation\", \"perf.nope\", \"net.no_throttling\"]")));
  const auto writesBefore = machine.registryWrites();
  const test::CliRun dry = runVerb(L"import", {kSet, L"--dry-run"});
  EXPECT_EQ(dry.exitCode, cli::kExitOk) << dry.err;
  EXPECT_EQ(machine.registryWrites(), writesBefore);
  const std::vector<std::string> lines = [&] {
    std::vector<std::string> split;
    std::size_t from = 0;
    for (std::size_t end; (end = dry.out.find('\n', from)) != std::string::npos; from = end + 1)
      split.push_back(dry.out.substr(from, end - from));
    return split;
  }();
  ASSERT_EQ(lines.size(), 4u) << dry.out;
  EXPECT_EQ(lines[0], "Набор C:\\set.json: будет применено 1 из 2 (пробный запуск, ничего не изменено)");
  EXPECT_EQ(lines[1].substr(0, 24), "perf.priorityseparation\t");
  EXPECT_TRUE(lines[1].ends_with("\tуже применён")) << lines[1];
  EXPECT_EQ(lines[2], "perf.nope\t\tнеизвестный id — пропущен");
  EXPECT_TRUE(lines[3].starts_with("net.no_throttling\t") && lines[3].ends_with("\tбудет применён")) << lines[3];

  const test::CliRun imported = runVerb(L"import", {kSet});
  EXPECT_EQ(imported.exitCode, cli::kExitOk) << imported.err;
  EXPECT_EQ(imported.out, "Импорт: применено 1, уже было 1, не применено 0\n");
  EXPECT_EQ(imported.err, "vxctl: неизвестный id «perf.nope» — пропущен\n");
  EXPECT_EQ(stateOf(L"net.no_throttling"), "Applied");
}

TEST_F(TweakSetCommandsTest, ATweakLeftAloneUnderAnotherAccountMakesTheImportFail) {
  machine.setShell({.window = true, .otherUser = true});
  ASSERT_TRUE(writeFileBytes(kSet, setWith("[\"net.no_throttling\", \"system.show_ext\"]")));
  const test::CliRun dry = runVerb(L"import", {kSet, L"--dry-run"});
  EXPECT_NE(dry.out.find("system.show_ext\t"), std::string::npos);
  EXPECT_NE(dry.out.find("\tнедоступен: Vantorix запущен от имени другой учётной записи\n"), std::string::npos) << dry.out;

  const test::CliRun imported = runVerb(L"import", {kSet});
  EXPECT_EQ(imported.exitCode, cli::kExitFailed);
  EXPECT_EQ(imported.out, "Импорт: применено 1, уже было 0, не применено 1\n");
  EXPECT_EQ(imported.err, "vxctl: system.show_ext не применён (Unavailable)\n");
  EXPECT_EQ(stateOf(L"net.no_throttling"), "Applied");
}

}  // namespace
}  // namespace vx
