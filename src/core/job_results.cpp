#include "core/job_results.h"

#include "core/change_guard.h"
#include "core/guarded_calls.h"

namespace vx {

namespace {

bool anyNeedsReboot(const std::vector<TweakPtr>& tweaks) {
  for (const auto& tweak : tweaks)
    if (tweak && guarded::needsReboot(*tweak)) return true;
  return false;
}

std::wstring num(long long n) { return std::to_wstring(n); }

JobResult busyJob() { return JobResult{kAnotherCopyBusyMessage}; }

}  // namespace

std::wstring backupNote(const ApplyResult& result) {
  std::wstring note;
  if (result.backupsOk) note += L"  •  Бэкап создан";
  if (result.restorePointCreated) note += L"  •  Точка восстановления готова";
  return note;
}

JobResult categoryJobResult(const CategoryRunCounts& c, bool revert) {
  if (c.busy) return busyJob();
  JobResult r;
  r.text = std::wstring(revert ? L"Откат завершён: " : L"Применение завершено: ") + num(c.ok) + L" ок, " +
           num(c.failed) + L" ошибок, " + num(c.skipped) + L" пропущено";
  r.succeeded = c.failed == 0;
  return r;
}

JobResult selectedJobResult(int applied, int total, bool needsReboot, const ApplyResult& batch) {
  JobResult r;
  r.text = L"Применено: " + num(applied) + L" из " + num(total) + backupNote(batch);
  r.succeeded = applied >= 1;
  r.needsReboot = needsReboot;
  r.clearSelection = true;
  return r;
}

JobResult recommendationJobResult(const ApplyResult& batch, bool needsReboot) {
  JobResult r;
  r.text = std::wstring(batch.applied ? L"Рекомендация применена" : L"Не удалось применить рекомендацию") +
           backupNote(batch);
  r.succeeded = batch.applied;
  r.needsReboot = needsReboot;
  return r;
}

JobResult profileJobResult(const std::wstring& profileName, int applied, int total, bool needsReboot,
                           const ApplyResult& batch) {
  JobResult r;
  r.text = L"Профиль «" + profileName + L"» применён: " + num(applied) + L" / " + num(total) + backupNote(batch);
  r.succeeded = applied >= 1;
  r.needsReboot = needsReboot;
  return r;
}

JobResult runCategoryJob(const TweakCatalog& catalog, TweakCategory category, bool revert) {
  const ChangeGuard guard(kChangeLockWaitMs);
  if (!guard.held()) return busyJob();
  return categoryJobResult(runCategory(catalog, category, revert), revert);
}

JobResult runSelectedJob(const std::vector<TweakPtr>& selected) {
  const ChangeGuard guard(kChangeLockWaitMs);
  if (!guard.held()) return busyJob();
  const ApplyResult batch = applyBatch(selected, L"selected_batch");
  int applied = 0;
  bool reboot = false;
  // Unavailable tweaks neither count nor ask for a restart.
  for (const auto& tweak : selected) {
    if (!tweak || guarded::queryState(*tweak) == TweakState::Unavailable) continue;
    reboot = reboot || guarded::needsReboot(*tweak);
    if (guarded::queryState(*tweak) == TweakState::Applied) ++applied;
  }
  return selectedJobResult(applied, static_cast<int>(selected.size()), reboot, batch);
}

JobResult runRecommendationJob(const std::vector<TweakPtr>& tweaks) {
  const ChangeGuard guard(kChangeLockWaitMs);
  if (!guard.held()) return busyJob();
  const ApplyResult batch = applyBatch(tweaks, L"ai_recommendation");
  return recommendationJobResult(batch, anyNeedsReboot(tweaks));
}

JobResult runProfileJob(const std::vector<TweakPtr>& profile, const std::wstring& profileName) {
  const ChangeGuard guard(kChangeLockWaitMs);
  if (!guard.held()) return busyJob();
  const ApplyResult batch = applyBatch(profile, L"profile_" + profileName);
  int applied = 0;
  for (const auto& tweak : profile)
    if (tweak && guarded::queryState(*tweak) == TweakState::Applied) ++applied;
  return profileJobResult(profileName, applied, static_cast<int>(profile.size()), anyNeedsReboot(profile), batch);
}

std::wstring categoryJobStartText(bool revert) {
  return revert ? L"Откатываю все твики категории..." : L"Применяю все твики категории...";
}

std::wstring selectedJobStartText(std::size_t count) {
  return L"Применяю выбранные твики (" + std::to_wstring(count) + L")...";
}

std::wstring recommendationJobStartText() { return L"Применяю рекомендацию..."; }

std::wstring profileJobStartText(const std::wstring& profileName, std::size_t count) {
  return L"Профиль «" + profileName + L"»: применяю " + std::to_wstring(count) + L" твиков...";
}

}  // namespace vx
