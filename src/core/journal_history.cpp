#include "core/journal_history.h"

#include <algorithm>

namespace vx {

namespace {

struct ResultText {
  JournalAction action;
  JournalResult result;
  const wchar_t* text;
};

constexpr ResultText kResultTexts[] = {
    {JournalAction::Apply, JournalResult::Ok, L"применено"},
    {JournalAction::Apply, JournalResult::Failed, L"ошибка применения"},
    {JournalAction::Revert, JournalResult::Ok, L"откачено"},
    {JournalAction::Revert, JournalResult::Failed, L"ошибка отката"},
    {JournalAction::Restore, JournalResult::Ok, L"восстановлено"},
    {JournalAction::Restore, JournalResult::Partial, L"восстановлено частично"},
    {JournalAction::Restore, JournalResult::Skipped, L"пропущено"},
    {JournalAction::Restore, JournalResult::Failed, L"ошибка восстановления"},
};

std::wstring titleOf(const std::wstring& id, const TweakCatalog& catalog) {
  const auto found = std::find_if(catalog.begin(), catalog.end(), [&](const TweakPtr& t) { return t && t->id == id; });
  return found != catalog.end() ? (*found)->title : id;
}

}  // namespace

std::wstring journalResultText(JournalAction action, JournalResult result) {
  for (const auto& entry : kResultTexts)
    if (entry.action == action && entry.result == result) return entry.text;
  return result == JournalResult::Skipped ? L"пропущено" : L"частично";
}

std::wstring runHeadingText(const JournalRunView& run) {
  return L"#" + std::to_wstring(run.run) + L" " + run.time + L" " + run.label;
}

std::wstring runLineText(const JournalLine& line, const TweakCatalog& catalog) {
  return line.id + L" — " + titleOf(line.id, catalog) + L" — " + journalResultText(line.action, line.result);
}

std::vector<std::wstring> historyLines(const std::vector<JournalLine>& lines, const TweakCatalog& catalog,
                                       std::size_t count) {
  std::vector<std::wstring> text;
  const auto runs = journalRuns(lines);
  for (std::size_t i = 0; i < runs.size() && i < count; ++i) {
    text.push_back(runHeadingText(runs[i]));
    for (const auto& line : runs[i].lines) text.push_back(L"  " + runLineText(line, catalog));
  }
  return text;
}

}  // namespace vx
