// vxctl advice [--json]: the personal recommendations for this machine in the order the home page
// shows them, with their priority tags and tweak ids, then the optimisation score.
#include <string>

#include "cli/cli_command.h"
#include "cli/json_output.h"
#include "catalog/build_catalog.h"
#include "hw/hardware_profile.h"
#include "hw/recommendations.h"
#include "hw/system_score.h"

namespace vx::cli {

namespace {

Json adviceJson(const std::vector<Recommendation>& list, const SystemScore& score) {
  Json rows = Json::array();
  for (const Recommendation& r : list) {
    Json ids = Json::array();
    for (const std::wstring& id : r.tweakIds) ids.push_back(jsonText(id));
    rows.push_back({{"priority", jsonText(recommendationPriorityLabel(r.priority))},
                    {"title", jsonText(r.title)},
                    {"text", jsonText(r.text)},
                    {"tweaks", ids}});
  }
  return Json{{"recommendations", rows},
              {"score", {{"score", score.score},
                         {"level", jsonText(score.level)},
                         {"applied", score.appliedCount},
                         {"counted", score.countedCount},
                         {"summary", jsonText(score.summary)}}}};
}

int runAdvice(std::vector<std::wstring> args) {
  const bool json = takeJsonSwitch(args);
  if (!args.empty()) return usageError(L"advice принимает только --json");
  const TweakCatalog catalog = buildCatalog();
  const HardwareProfile profile = detectHardware();

  const std::vector<Recommendation> list = buildRecommendations(profile, catalog);
  const SystemScore score = computeScore(catalog);
  if (json) {
    printJson(adviceJson(list, score));
    return kExitOk;
  }
  printLine(L"Рекомендации: " + std::to_wstring(list.size()));
  for (const Recommendation& r : list) {
    std::wstring ids;
    for (const std::wstring& id : r.tweakIds) ids += (ids.empty() ? L"" : L", ") + id;
    printLine(std::wstring(L"[") + recommendationPriorityLabel(r.priority) + L"] " + r.title);
    printLine(L"    " + r.text);
    printLine(L"    твики: " + ids);
  }

  printLine(L"");
  printLine(L"Оценка: " + std::to_wstring(score.score) + L"/100 — " + score.level + L" (применено " +
            std::to_wstring(score.appliedCount) + L" из " + std::to_wstring(score.countedCount) + L")");
  printLine(score.summary);
  return kExitOk;
}

const CliRegistrar registrar{
    {CliPlace::Advice, L"advice", L"vxctl advice [--json]", L"советы для этого компьютера", runAdvice}};

}  // namespace

}  // namespace vx::cli
