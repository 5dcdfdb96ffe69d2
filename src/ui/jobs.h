// The background jobs of the window: one at a time (the atomic busy flag), a grey progress text
// while it runs, a detached worker that owns copies of what it works on, and one completion
// handed to the UI thread through WindowHost::postJobResult. Launchers run on the UI thread and
// return at once; onJobDone runs on the UI thread when the result arrives.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "core/tweak.h"
#include "services/cleanup_job.h"
#include "ui/job_flags.h"
#include "ui/ui_state.h"
#include "ui/window_host.h"

namespace vx::ui {

// The common pattern: takes `busy`, shows the progress text, starts the worker. The worker runs
// `body`; an exception from it becomes the `failure` result. When no worker can be made (no
// thread, no memory: every exception is caught), busy is cleared and the failure's text shows in
// red. False when no job was started.
// The host must outlive the worker (the window's host lives for the whole process).
bool launchJob(UiState& state, WindowHost& host, const std::wstring& progressText, std::function<JobResult()> body,
               const JobResult& failure);

void startCategoryJob(UiState& state, WindowHost& host, bool revert);
void startSelectedJob(UiState& state, WindowHost& host);
void startProfileJob(UiState& state, WindowHost& host, TweakTier tier);
void startRecommendationJob(UiState& state, WindowHost& host, const std::vector<std::wstring>& tweakIds);
void startCleanupJob(UiState& state, WindowHost& host, CleanupAction action);
// An aggressive card's apply (backup and restore point can take tens of seconds on Windows): the
// same texts as the card's own apply, and the tweak's new state with the result.
void startCardApplyJob(UiState& state, WindowHost& host, const TweakPtr& tweak);

inline constexpr const wchar_t* kSafetyNetProgressText = L"Создаю бэкап и точку восстановления...";

// Shown when a worker cannot be made and the job brings no failure text of its own.
inline constexpr const wchar_t* kWorkerFailedText = L"Не удалось запустить фоновую задачу";

// Completion on the UI thread: the status text (green or red; none when text is null), the
// selection, a cleared state cache, fresh advice, busy cleared, and the reboot question when
// the job succeeded and a tweak needs a restart.
void onJobDone(UiState& state, WindowHost& host, const std::wstring* text, JobFlags flags);

inline constexpr const wchar_t* kRebootCaption = L"Требуется перезагрузка";
inline constexpr const wchar_t* kRebootQuestion =
    L"Некоторые из применённых твиков вступят в силу только после перезагрузки.\n\n"
    L"Перезагрузить компьютер сейчас?\n\n"
    L"Да — перезагрузить через 30 секунд (можно отменить командой shutdown /a)\n"
    L"Нет — перезагрузить позже самостоятельно";
inline constexpr const wchar_t* kRebootArguments = L"/r /t 30 /c \"Vantorix: применение твиков, требующих перезагрузки\"";
inline constexpr const wchar_t* kRebootScheduledText = L"Перезагрузка через 30 секунд. Отмена: shutdown /a в cmd";

// Rebuilds the advice from the hardware snapshot and the cached states (stale ones too; only a
// tweak the cache has never seen is queried), so the UI thread does not wait on the catalogue.
void rebuildRecommendations(UiState& state);

}  // namespace vx::ui
