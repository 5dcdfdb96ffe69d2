// --json of the reading verbs on the simulated machine: standard output is one JSON object and
// nothing else, with the fields the README names; errors stay on standard error with their codes.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/cli_command.h"
#include "core/change_journal.h"
#include "core/journal_run.h"
#include "platform/power.h"
#include "support/cli_run.h"
#include "support/sim_test.h"

namespace vx {
namespace {

using test::runVerb;

class JsonOutputTest : public test::SimTest {};

std::set<std::string> keysOf(const nlohmann::json& object) {
  std::set<std::string> keys;
  for (const auto& [key, value] : object.items()) keys.insert(key);
  return keys;
}

TEST_F(JsonOutputTest, EachVerbPrintsOneObjectWithItsFields) {
  struct Case {
    const wchar_t* verb;
    std::vector<std::string> fields;
  };
  const Case cases[] = {
      {L"list", {"tweaks"}},
      {L"status", {"tweaks"}},
      {L"hw", {"windows", "cpu", "logicalProcessors", "gpu", "ramMb", "freeRamMb", "memoryLoadPercent", "systemDisk",
               "laptop", "displayAdapters", "drivers"}},
      {L"advice", {"recommendations", "score"}},
      {L"games", {"games"}},
      {L"backups", {"root", "backups"}},
  };
  for (const Case& c : cases) {
    const test::CliRun r = runVerb(c.verb, {L"--json"});
    EXPECT_EQ(r.exitCode, cli::kExitOk) << toUtf8(c.verb);
    EXPECT_EQ(r.err, "") << toUtf8(c.verb);
    // parse() refuses trailing text, so nothing else was printed.
    const auto parsed = nlohmann::json::parse(r.out, nullptr, false);
    ASSERT_TRUE(parsed.is_object()) << toUtf8(c.verb) << ": " << r.out.substr(0, 200);
    for (const auto& field : c.fields) EXPECT_TRUE(parsed.contains(field)) << toUtf8(c.verb) << " " << field;
  }
}

TEST_F(JsonOutputTest, TweakRowsCarryTheEnumNamesOfTheirCategoryAndState) {
  const auto rows = nlohmann::json::parse(runVerb(L"list", {L"--json"}).out)["tweaks"];
  ASSERT_FALSE(rows.empty());
  const std::set<std::string> fields{"id", "title", "category", "tier", "aggressive", "state", "note"};
  const std::set<std::string> categories{"Performance", "Games", "Privacy", "Network", "System", "Cleanup", "Pro"};
  const std::set<std::string> states{"NotApplied", "Applied", "Undetermined", "Unavailable"};
  std::set<std::string> seenCategories;
  for (const auto& row : rows) {
    EXPECT_EQ(keysOf(row), fields) << row.dump();
    EXPECT_TRUE(categories.count(row["category"])) << row.dump();
    EXPECT_TRUE(states.count(row["state"])) << row.dump();
    EXPECT_TRUE(row["tier"].is_number_integer() && row["aggressive"].is_boolean()) << row.dump();
    seenCategories.insert(row["category"]);
  }
  EXPECT_EQ(seenCategories, categories);
  // The Russian titles arrive as UTF-8.
  const auto first = std::find_if(rows.begin(), rows.end(), [](const auto& r) { return r["id"] == "perf.priorityseparation"; });
  ASSERT_NE(first, rows.end());
  EXPECT_EQ((*first)["category"], "Performance");
  EXPECT_EQ((*first)["state"], "NotApplied");
}

TEST_F(JsonOutputTest, ErrorsStayOnStandardErrorWithTheirCodes) {
  const test::CliRun status = runVerb(L"status", {L"perf.priorityseparation", L"perf.nope", L"--json"});
  EXPECT_EQ(status.exitCode, cli::kExitFailed);
  EXPECT_EQ(status.err, "vxctl: неизвестный твик «perf.nope»\n");
  const auto rows = nlohmann::json::parse(status.out)["tweaks"];
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0]["id"], "perf.priorityseparation");

  const test::CliRun wrong = runVerb(L"hw", {L"--json", L"extra"});
  EXPECT_EQ(wrong.exitCode, cli::kExitUsage);
  EXPECT_EQ(wrong.out, "");
}

TEST_F(JsonOutputTest, JournalVerbsPrintTheirRunsResetTweaksAndChanges) {
  machine.setLocalTime(CalendarTime{2026, 12, 11, 17, 30, 5, 0});
  machine.setActivePowerScheme(kBalancedScheme);
  {
    JournalRun journal(L"import");
    journal.append(L"power.high", JournalAction::Apply, JournalResult::Ok, {});
  }
  const test::CliRun history = runVerb(L"history", {L"--json"});
  EXPECT_EQ(history.exitCode, cli::kExitOk);
  const auto runs = nlohmann::json::parse(history.out)["runs"];
  ASSERT_EQ(runs.size(), 1u) << history.out;
  EXPECT_EQ(runs[0]["label"], "import");
  EXPECT_EQ(runs[0]["time"], "2026-12-11 17:30:05");
  EXPECT_TRUE(runs[0]["run"].is_number_integer());
  EXPECT_EQ(runs[0]["tweaks"], nlohmann::json::parse(R"([{"id": "power.high", "title": "План питания: Высокая производительность",
                                                         "action": "apply", "result": "ok", "text": "применено"}])"));

  // The plan is Balanced again: drift names the tweak and exits 1, as its text form does.
  const test::CliRun drift = runVerb(L"drift", {L"--json"});
  EXPECT_EQ(drift.exitCode, cli::kExitFailed);
  EXPECT_EQ(nlohmann::json::parse(drift.out),
            nlohmann::json::parse(R"({"reset": [{"id": "power.high", "title": "План питания: Высокая производительность"}]})"));

  const test::CliRun show = runVerb(L"show", {L"power.high", L"--json"});
  EXPECT_EQ(show.exitCode, cli::kExitOk);
  const auto shown = nlohmann::json::parse(show.out);
  EXPECT_EQ(shown["id"], "power.high");
  EXPECT_TRUE(shown["changes"].is_array());
}

}  // namespace
}  // namespace vx
