#include "cli/cli_catalog.h"

#include "cli/cli_command.h"
#include "core/catalog.h"
#include "catalog/build_catalog.h"
#include "base/text.h"

namespace vx::cli {

namespace {

constexpr const wchar_t* kCategoryNames[kCategoryCount] = {L"Performance", L"Games",   L"Privacy", L"Network",
                                                           L"System",      L"Cleanup", L"Pro"};

}  // namespace

const TweakCatalog& catalog() {
  static const TweakCatalog built = buildCatalog();
  return built;
}

const wchar_t* categoryName(TweakCategory category) {
  const auto index = static_cast<std::uint32_t>(category);
  return index < kCategoryCount ? kCategoryNames[index] : L"?";
}

std::optional<TweakCategory> parseCategory(const std::wstring& text) {
  for (int i = 0; i < kCategoryCount; ++i)
    if (equalsFolded(text, kCategoryNames[i])) return static_cast<TweakCategory>(i);
  return std::nullopt;
}

std::optional<std::vector<TweakPtr>> tweaksByIds(const std::vector<std::wstring>& ids) {
  std::vector<TweakPtr> found;
  bool allKnown = true;
  for (const auto& id : ids) {
    if (auto tweak = findById(catalog(), id)) {
      found.push_back(std::move(tweak));
    } else {
      printError(L"vxctl: неизвестный твик «" + id + L"»");
      allKnown = false;
    }
  }
  if (!allKnown) return std::nullopt;
  return found;
}

}  // namespace vx::cli
