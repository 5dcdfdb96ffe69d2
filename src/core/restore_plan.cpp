#include "core/restore_plan.h"

#include <algorithm>

#include "core/change_guard.h"
#include "core/change_preview.h"
#include "core/change_values.h"
#include "core/guarded_calls.h"
#include "core/journal_run.h"
#include "core/safety_net.h"
#include "core/state_cache.h"

namespace vx {

namespace {

TweakPtr findTweak(const TweakCatalog& catalog, const std::wstring& id) {
  const auto found = std::find_if(catalog.begin(), catalog.end(), [&](const TweakPtr& t) { return t && t->id == id; });
  return found != catalog.end() ? *found : nullptr;
}

// What a step does given the value now: only a value that still holds what Vantorix wrote is
// put back unless forced.
RestoreStepAction actionFor(const JournalValue& value, const std::optional<RegValueImage>& now, bool force) {
  if (!now) return RestoreStepAction::Unreadable;
  if (*now == *value.before) return RestoreStepAction::AlreadyBack;
  if (*now == *value.after) return RestoreStepAction::PutBack;
  return force ? RestoreStepAction::Forced : RestoreStepAction::ChangedSince;
}

RestoreItem itemOf(const JournalLine& line, const TweakCatalog& catalog, bool force) {
  RestoreItem item;
  item.id = line.id;
  item.tweak = findTweak(catalog, line.id);
  item.title = item.tweak ? item.tweak->title : line.id;
  item.fromRun = line.run;
  item.undoes = line.action;
  for (const auto& value : line.values) {
    if (!value.before || !value.after) continue;  // files, commands, or a value that could not be read
    RestoreStep step;
    step.value = value;
    step.now = readChangeValue(journalValueChange(value));
    step.action = actionFor(value, step.now, force);
    item.steps.push_back(std::move(step));
  }
  item.restorable = !item.steps.empty();
  return item;
}

bool changedAnything(const JournalLine& line) {
  return std::any_of(line.values.begin(), line.values.end(),
                     [](const JournalValue& v) { return v.before && v.after && *v.before != *v.after; });
}

const wchar_t* suffixOf(RestoreStepAction action) {
  switch (action) {
    case RestoreStepAction::PutBack: return L"";
    case RestoreStepAction::AlreadyBack: return L" — уже как было";
    case RestoreStepAction::ChangedSince: return L" — изменено после Vantorix — пропущено";
    case RestoreStepAction::Forced: return L" — принудительно";
    case RestoreStepAction::Unreadable: return L" — не читается — пропущено";
  }
  return L"";
}

// The preview's line of the value going from now back to its earlier value.
std::wstring stepText(const JournalValue& value, const std::optional<RegValueImage>& now) {
  TweakChange change = journalValueChange(value);
  change.onApply = *value.before;
  const CurrentValues current{now};
  const auto lines = previewLines({change}, false, &current);
  return lines.empty() ? std::wstring() : lines.front();
}

std::wstring itemHeading(const RestoreItem& item) { return item.id + L" — " + item.title; }

}  // namespace

std::optional<RestorePlan> planTweakRestore(const std::vector<JournalLine>& lines, const TweakCatalog& catalog,
                                            const std::wstring& id, bool force) {
  const auto line = lastSuccessfulApply(lines, id);
  if (!line) return std::nullopt;
  RestorePlan plan;
  plan.label = L"restore_" + id;
  plan.force = force;
  plan.items.push_back(itemOf(*line, catalog, force));
  return plan;
}

std::optional<RestorePlan> planRunRestore(const std::vector<JournalLine>& lines, const TweakCatalog& catalog,
                                          std::int64_t run, bool force) {
  RestorePlan plan;
  plan.label = L"restore_run_" + std::to_wstring(run);
  plan.force = force;
  bool found = false;
  for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
    if (it->run != run) continue;
    found = true;
    // A failed step is undone only where it changed something before it failed.
    if (it->result == JournalResult::Failed && !changedAnything(*it)) continue;
    plan.items.push_back(itemOf(*it, catalog, force));
  }
  if (!found) return std::nullopt;
  return plan;
}

std::vector<std::wstring> restorePlanLines(const RestorePlan& plan) {
  std::vector<std::wstring> text;
  for (const auto& item : plan.items) {
    text.push_back(itemHeading(item));
    if (!item.restorable) {
      text.push_back(std::wstring(L"  ") + kNotRestorableText);
      continue;
    }
    for (const auto& step : item.steps) text.push_back(L"  " + stepText(step.value, step.now) + suffixOf(step.action));
  }
  return text;
}

RestoreReport carryOutRestore(const RestorePlan& plan) {
  RestoreReport report;
  const ChangeGuard guard(kChangeLockWaitMs);
  if (!guard.held()) {
    report.busy = true;
    return report;
  }
  JournalRun run(plan.label);

  // The safety net, as before an apply: one for all aggressive items.
  std::vector<BackupKey> keys;
  std::vector<std::pair<std::size_t, std::size_t>> keyRange(plan.items.size(), {0, 0});
  std::vector<bool> aggressive(plan.items.size(), false);
  for (std::size_t i = 0; i < plan.items.size(); ++i) {
    const RestoreItem& item = plan.items[i];
    if (!item.tweak || !item.restorable) continue;
    const auto needs = guarded::safetyNeeds(*item.tweak);
    aggressive[i] = !needs || needs->aggressive;  // a tweak that cannot say is treated as aggressive
    keyRange[i].first = keys.size();
    if (needs) keys.insert(keys.end(), needs->keys.begin(), needs->keys.end());
    keyRange[i].second = keys.size();
  }
  SafetyNetResult net;
  if (std::find(aggressive.begin(), aggressive.end(), true) != aggressive.end()) net = prepareSafetyNet(keys, plan.label);
  const auto keysSaved = [&](std::size_t i) {
    if (net.backupDir.empty()) return false;
    for (std::size_t k = keyRange[i].first; k < keyRange[i].second; ++k)
      if (k >= net.keysExported.size() || !net.keysExported[k]) return false;
    return true;
  };

  for (std::size_t i = 0; i < plan.items.size(); ++i) {
    const RestoreItem& item = plan.items[i];
    report.lines.push_back(itemHeading(item));
    if (!item.restorable) {
      ++report.skipped;
      report.lines.push_back(std::wstring(L"  ") + kNotRestorableText);
      run.append(item.id, JournalAction::Restore, JournalResult::Skipped, {});
      continue;
    }
    if (aggressive[i] && !keysSaved(i)) {
      ++report.failed;
      report.lines.push_back(std::wstring(L"  ") + kBackupFailedMessage);
      run.append(item.id, JournalAction::Restore, JournalResult::Failed, {});
      continue;
    }
    int written = 0, failed = 0, skipped = 0;
    std::vector<JournalValue> values;
    for (const auto& planned : item.steps) {
      const TweakChange change = journalValueChange(planned.value);
      // Checked again now: the value may have changed since the plan was read.
      const auto now = readChangeValue(change);
      const RestoreStepAction action = actionFor(planned.value, now, plan.force);
      std::wstring line = L"  " + stepText(planned.value, now) + suffixOf(action);
      JournalValue journalled = planned.value;
      journalled.before = now;
      if (action == RestoreStepAction::PutBack || action == RestoreStepAction::Forced) {
        const bool ok = writeChangeValue(change, *planned.value.before) && readChangeValue(change) == planned.value.before;
        ++(ok ? written : failed);
        if (!ok) line += L" — ошибка записи";
      } else if (action != RestoreStepAction::AlreadyBack) {
        ++skipped;
      }
      journalled.after = readChangeValue(change);
      values.push_back(std::move(journalled));
      report.lines.push_back(std::move(line));
    }
    report.written += written;
    report.failed += failed;
    report.skipped += skipped;
    JournalResult result = JournalResult::Ok;
    if (failed > 0 && written == 0)
      result = JournalResult::Failed;
    else if (failed > 0 || (skipped > 0 && written > 0))
      result = JournalResult::Partial;
    else if (skipped > 0)
      result = JournalResult::Skipped;
    run.append(item.id, JournalAction::Restore, result, std::move(values));
  }
  TweakStateCache::instance().clear();
  return report;
}

std::wstring restoreStatusText(const RestoreReport& report) {
  if (report.busy) return kAnotherCopyBusyMessage;
  std::wstring text = L"Восстановлено значений: " + std::to_wstring(report.written);
  if (report.skipped > 0) text += L", пропущено: " + std::to_wstring(report.skipped);
  if (report.failed > 0) text += L", ошибок: " + std::to_wstring(report.failed);
  return text;
}

}  // namespace vx
