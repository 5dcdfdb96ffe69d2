#include "core/tweak_import.h"

#include <algorithm>

#include "core/catalog.h"
#include "core/change_guard.h"
#include "core/guarded_calls.h"
#include "core/job_results.h"

namespace vx {

std::vector<TweakPtr> ImportPlan::batch() const {
  std::vector<TweakPtr> tweaks;
  for (const auto& line : lines)
    if (line.step == ImportStep::Apply) tweaks.push_back(line.tweak);
  return tweaks;
}

int ImportPlan::knownCount() const {
  return static_cast<int>(std::count_if(lines.begin(), lines.end(), [](const ImportLine& l) { return l.tweak != nullptr; }));
}

ImportPlan planImport(const TweakCatalog& catalog, const std::vector<std::wstring>& ids) {
  ImportPlan plan;
  for (const auto& id : ids) {
    const bool seen = std::any_of(plan.lines.begin(), plan.lines.end(), [&](const ImportLine& l) { return l.id == id; });
    if (seen) continue;
    ImportLine line{id, findById(catalog, id), ImportStep::Unknown, {}};
    if (line.tweak) {
      switch (guarded::queryState(*line.tweak)) {
        case TweakState::Applied: line.step = ImportStep::AlreadyApplied; break;
        case TweakState::Unavailable:
          line.step = ImportStep::Unavailable;
          line.note = guarded::compatibilityNote(*line.tweak);
          break;
        default: line.step = ImportStep::Apply; break;
      }
    }
    plan.lines.push_back(std::move(line));
  }
  return plan;
}

std::wstring importStepText(const ImportLine& line) {
  switch (line.step) {
    case ImportStep::Apply: return L"будет применён";
    case ImportStep::AlreadyApplied: return L"уже применён";
    case ImportStep::Unavailable: return L"недоступен: " + (line.note.empty() ? std::wstring(L"не поддерживается") : line.note);
    case ImportStep::Unknown: break;
  }
  return L"неизвестный id — пропущен";
}

std::wstring importDryRunLine(const ImportLine& line) {
  return line.id + L"\t" + (line.tweak ? line.tweak->title : std::wstring()) + L"\t" + importStepText(line);
}

ImportOutcome runImport(const ImportPlan& plan) {
  ImportOutcome outcome;
  const ChangeGuard guard(kChangeLockWaitMs);
  if (!guard.held()) {
    outcome.busy = true;
    return outcome;
  }
  const std::vector<TweakPtr> batch = plan.batch();
  if (!batch.empty()) outcome.batch = applyBatch(batch, kImportLabel);
  for (const auto& line : plan.lines) {
    if (!line.tweak) continue;
    if (line.step == ImportStep::AlreadyApplied) {
      ++outcome.alreadyApplied;
      continue;
    }
    // An Unavailable tweak (another account's profile, missing hardware) stays not applied.
    if (line.step == ImportStep::Apply && guarded::queryState(*line.tweak) == TweakState::Applied)
      ++outcome.appliedNow;
    else
      ++outcome.notApplied;
  }
  return outcome;
}

std::wstring importResultText(const ImportOutcome& outcome) {
  if (outcome.busy) return kAnotherCopyBusyMessage;
  return L"Импорт: применено " + std::to_wstring(outcome.appliedNow) + L", уже было " +
         std::to_wstring(outcome.alreadyApplied) + L", не применено " + std::to_wstring(outcome.notApplied) +
         backupNote(outcome.batch);
}

}  // namespace vx
