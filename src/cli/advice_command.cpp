// vxctl advice: the personal recommendations for this machine in the order the home page shows
// them, with their priority tags and tweak ids, then the optimisation score.
#include <string>

#include "cli/cli_command.h"
#include "catalog/build_catalog.h"
#include "hw/hardware_profile.h"
#include "hw/recommendations.h"
#include "hw/system_score.h"

namespace vx::cli {

namespace {

int runAdvice(const std::vector<std::wstring>& args) {
  if (!args.empty()) return usageError(L"advice не принимает аргументов");
  const TweakCatalog catalog = buildCatalog();
  const HardwareProfile profile = detectHardware();

  const std::vector<Recommendation> list = buildRecommendations(profile, catalog);
  printLine(L"Рекомендации: " + std::to_wstring(list.size()));
  for (const Recommendation& r : list) {
    std::wstring ids;
    for (const std::wstring& id : r.tweakIds) ids += (ids.empty() ? L"" : L", ") + id;
    printLine(std::wstring(L"[") + recommendationPriorityLabel(r.priority) + L"] " + r.title);
    printLine(L"    " + r.text);
    printLine(L"    твики: " + ids);
  }

  const SystemScore score = computeScore(catalog);
  printLine(L"");
  printLine(L"Оценка: " + std::to_wstring(score.score) + L"/100 — " + score.level + L" (применено " +
            std::to_wstring(score.appliedCount) + L" из " + std::to_wstring(score.countedCount) + L")");
  printLine(score.summary);
  return kExitOk;
}

const CliRegistrar registrar{{CliPlace::Advice, L"advice", L"vxctl advice", L"советы для этого компьютера", runAdvice}};

}  // namespace

}  // namespace vx::cli
