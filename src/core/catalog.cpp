#include "core/catalog.h"

namespace vx {

const wchar_t* categoryLabel(TweakCategory category) {
  static constexpr const wchar_t* kLabels[kCategoryCount] = {
      L"Производительность", L"Игры", L"Конфиденциальность", L"Сеть", L"Система", L"Очистка", L"Pro"};
  const auto index = static_cast<std::uint32_t>(category);
  return index < kCategoryCount ? kLabels[index] : L"";
}

const wchar_t* stateName(TweakState state) {
  switch (state) {
    case TweakState::NotApplied: return L"NotApplied";
    case TweakState::Applied: return L"Applied";
    case TweakState::Undetermined: return L"Undetermined";
    case TweakState::Unavailable: return L"Unavailable";
  }
  return L"?";
}

TweakPtr nthInCategory(const TweakCatalog& catalog, TweakCategory category, std::size_t k) {
  for (const auto& tweak : catalog) {
    if (tweak->category != category) continue;
    if (k == 0) return tweak;
    --k;
  }
  return nullptr;
}

std::vector<TweakPtr> tweaksInCategory(const TweakCatalog& catalog, TweakCategory category) {
  std::vector<TweakPtr> out;
  for (const auto& tweak : catalog)
    if (tweak->category == category) out.push_back(tweak);
  return out;
}

TweakPtr findById(const TweakCatalog& catalog, const std::wstring& id) {
  for (const auto& tweak : catalog)
    if (tweak->id == id) return tweak;
  return nullptr;
}

std::vector<TweakPtr> findByIds(const TweakCatalog& catalog, const std::vector<std::wstring>& ids) {
  std::vector<TweakPtr> out;
  for (const auto& id : ids)
    if (auto tweak = findById(catalog, id)) out.push_back(std::move(tweak));
  return out;
}

}  // namespace vx
