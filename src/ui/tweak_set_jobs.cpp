#include "ui/tweak_set_jobs.h"

#include "core/guarded_calls.h"
#include "core/tweak_import.h"
#include "core/tweak_set_file.h"
#include "ui/jobs.h"

namespace vx::ui {

namespace {

// The window's line per id: the title (the id when unknown) and what would happen.
std::wstring confirmationLine(const ImportLine& line) {
  return (line.tweak ? line.tweak->title : line.id) + L" — " + importStepText(line);
}

JobResult importJobResult(const ImportPlan& plan) {
  const ImportOutcome outcome = runImport(plan);
  JobResult result{importResultText(outcome)};
  result.succeeded = outcome.complete();
  for (const auto& tweak : plan.batch())
    if (guarded::needsReboot(*tweak)) result.needsReboot = true;
  return result;
}

}  // namespace

std::wstring importConfirmationText(const std::vector<std::wstring>& lines, std::size_t toApply) {
  std::wstring text;
  for (const auto& line : lines) text += line + L"\n";
  return text + L"\nПрименить " + std::to_wstring(toApply) + L" твиков?";
}

void saveTweakSet(UiState& state, WindowHost& host) {
  if (state.busy.load() != 0) return;
  const std::wstring path = host.chooseTweakSetFile(true);
  if (path.empty()) return;
  // Every tweak is queried for its state: on the job's thread, not the window's.
  launchJob(state, host, L"Сохраняю набор...",
            [catalogue = state.catalogue, path] {
              const std::vector<std::wstring> ids = appliedTweakIds(catalogue);
              if (!writeTweakSet(path, ids)) return JobResult{L"Не удалось сохранить набор: " + path};
              JobResult saved{L"Набор сохранён: " + std::to_wstring(ids.size()) + L" твиков — " + path};
              saved.succeeded = true;
              return saved;
            },
            JobResult{L"Не удалось сохранить набор: " + path});
}

void loadTweakSet(UiState& state, WindowHost& host) {
  if (state.busy.load() != 0) return;
  const std::wstring path = host.chooseTweakSetFile(false);
  if (path.empty()) return;
  TweakSetRead set = readTweakSet(path);
  ImportPlan plan;
  if (set.error == TweakSetError::None) {
    // The confirmation needs each tweak's state now, as a click reads the card it acts on.
    plan = planImport(state.catalogue, set.ids);
    if (plan.knownCount() == 0) set.error = TweakSetError::NoKnownTweak;
  }
  if (set.error != TweakSetError::None) {
    state.setStatus(tweakSetErrorText(set.error), kColorFailure);
    host.invalidate();
    return;
  }
  std::vector<std::wstring> lines;
  for (const auto& line : plan.lines) lines.push_back(confirmationLine(line));
  const std::size_t toApply = plan.batch().size();
  if (!host.askYesNo(kLoadSetCaption, importConfirmationText(lines, toApply))) return;
  launchJob(state, host, L"Применяю набор: " + std::to_wstring(toApply) + L" твиков...",
            [plan = std::move(plan)] { return importJobResult(plan); }, JobResult{L"Не удалось применить набор"});
}

}  // namespace vx::ui
