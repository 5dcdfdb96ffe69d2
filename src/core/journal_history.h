// The journal's runs as text: the lines of `vxctl history` and the rows of the window's journal
// page. Pure functions of the journal's lines and the catalogue's titles.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "core/change_journal.h"
#include "core/tweak.h"

namespace vx {

inline constexpr std::size_t kDefaultHistoryRuns = 10;

// "#<run> <date time> <label>"
std::wstring runHeadingText(const JournalRunView& run);

// "<id> — <title> — <result>", the title from the catalogue (the id when it is no longer there),
// the result in Russian: "применено", "ошибка применения", "откачено", "ошибка отката",
// "восстановлено", "восстановлено частично", "пропущено", "ошибка восстановления".
std::wstring runLineText(const JournalLine& line, const TweakCatalog& catalog);
std::wstring journalResultText(JournalAction action, JournalResult result);

// The newest `count` runs, newest first: each heading, then "  " + runLineText per line.
std::vector<std::wstring> historyLines(const std::vector<JournalLine>& lines, const TweakCatalog& catalog,
                                       std::size_t count = kDefaultHistoryRuns);

}  // namespace vx
