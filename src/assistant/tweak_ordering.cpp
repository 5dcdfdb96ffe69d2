#include "assistant/tweak_ordering.h"

#include <algorithm>

namespace vx {

namespace {

// Sorts the items by the weight of their ids, highest first; equal weights keep their order.
template <typename Item, typename IdOf>
void stableSortByWeight(std::vector<Item>& items, TweakStatsMap& stats, IdOf idOf) {
  std::vector<std::pair<std::int64_t, Item>> weighted;
  weighted.reserve(items.size());
  for (Item& item : items) weighted.emplace_back(stats[idOf(item)].weight(), std::move(item));
  std::stable_sort(weighted.begin(), weighted.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  for (std::size_t i = 0; i < items.size(); ++i) items[i] = std::move(weighted[i].second);
}

}  // namespace

void orderByWeight(std::vector<std::wstring>& ids, TweakStatsMap& stats) {
  stableSortByWeight(ids, stats, [](const std::wstring& id) -> const std::wstring& { return id; });
}

std::vector<TweakPtr> unappliedByWeight(const TweakCatalog& catalog, const StateSource& states, TweakStatsMap& stats) {
  std::vector<TweakPtr> candidates;
  for (const TweakPtr& tweak : catalog)
    if (tweak && states(*tweak) == TweakState::NotApplied) candidates.push_back(tweak);
  stableSortByWeight(candidates, stats, [](const TweakPtr& tweak) -> const std::wstring& { return tweak->id; });
  return candidates;
}

}  // namespace vx
