#include "hw/system_score.h"
#include "core/guarded_calls.h"

#include <algorithm>
#include <cstdint>

namespace vx {

namespace {

constexpr int kAggressiveWeight = 3;
constexpr int kOrdinaryWeight = 2;

struct LevelRow {
  int fromScore;
  const wchar_t* level;
  const wchar_t* summary;
};

// The last row whose fromScore is reached applies.
constexpr LevelRow kLevels[] = {
    {0, L"Стандарт", L"ПК работает на заводских настройках. Большой запас для оптимизации."},
    {25, L"Хорошо", L"Базовая оптимизация выполнена. Ещё есть твики, которые можно применить."},
    {50, L"Отлично", L"Система настроена. Осталось несколько pro-твиков."},
    {75, L"Pro", L"Максимальная конфигурация. Дальше — только разгон в BIOS."},
};

}  // namespace

SystemScore computeScore(const TweakCatalog& catalog) {
  return computeScore(catalog, [](Tweak& tweak) { return guarded::queryState(tweak); });
}

SystemScore computeScore(const TweakCatalog& catalog, const std::function<TweakState(Tweak&)>& stateOf) {
  SystemScore result;
  std::int64_t totalWeight = 0;
  std::int64_t appliedWeight = 0;
  for (const TweakPtr& tweak : catalog) {
    // Reports a reading, changes nothing, so it neither earns nor costs points.
    if (tweak->informationOnly()) continue;
    const int weight = guarded::isAggressive(*tweak) ? kAggressiveWeight : kOrdinaryWeight;
    const TweakState state = stateOf(*tweak);
    if (state == TweakState::Unavailable) continue;
    ++result.countedCount;
    totalWeight += weight;
    if (state == TweakState::Applied) {
      ++result.appliedCount;
      appliedWeight += weight;
    }
  }
  if (totalWeight >= 1) result.score = static_cast<int>(std::min<std::int64_t>(appliedWeight * 100 / totalWeight, 100));
  for (const LevelRow& row : kLevels) {
    if (result.score < row.fromScore) break;
    result.level = row.level;
    result.summary = row.summary;
  }
  return result;
}

}  // namespace vx
