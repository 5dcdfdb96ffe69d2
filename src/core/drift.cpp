#include "core/drift.h"

#include <algorithm>
#include <map>

namespace vx {

std::vector<std::wstring> driftCandidates(const std::vector<JournalLine>& lines) {
  struct Last {
    std::size_t at = 0;      // index of its last apply / revert line
    bool applied = false;    // that line is a successful apply
    bool restored = false;   // a restore line came after it
  };
  std::map<std::wstring, Last> byId;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const JournalLine& line = lines[i];
    Last& last = byId[line.id];
    if (line.action == JournalAction::Restore) {
      last.restored = true;
      continue;
    }
    last = {i, line.action == JournalAction::Apply && line.result == JournalResult::Ok, false};
  }
  std::vector<std::pair<std::size_t, std::wstring>> found;
  for (const auto& [id, last] : byId)
    if (last.applied && !last.restored) found.emplace_back(last.at, id);
  std::sort(found.begin(), found.end());
  std::vector<std::wstring> ids;
  ids.reserve(found.size());
  for (auto& [at, id] : found) ids.push_back(std::move(id));
  return ids;
}

std::vector<TweakPtr> resetTweaks(const std::vector<JournalLine>& lines, const TweakCatalog& catalog,
                                  const std::function<std::optional<TweakState>(Tweak&)>& stateOf) {
  const auto candidates = driftCandidates(lines);
  std::vector<TweakPtr> reset;
  for (const auto& tweak : catalog) {
    if (!tweak || std::find(candidates.begin(), candidates.end(), tweak->id) == candidates.end()) continue;
    if (stateOf(*tweak) == TweakState::NotApplied) reset.push_back(tweak);
  }
  return reset;
}

std::wstring driftLineText(std::size_t count) { return L"Сброшено после применения: " + std::to_wstring(count); }

}  // namespace vx
