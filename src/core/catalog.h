// Lookups over the catalogue used by the page painter, the click handlers and the jobs.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/tweak.h"

namespace vx {

// The k-th tweak (from 0) of the category in catalogue order, or nothing.
TweakPtr nthInCategory(const TweakCatalog& catalog, TweakCategory category, std::size_t k);

// Every tweak of the category in catalogue order.
std::vector<TweakPtr> tweaksInCategory(const TweakCatalog& catalog, TweakCategory category);

// For each id in order the first tweak with exactly that id; unknown ids are skipped, repeats repeat.
std::vector<TweakPtr> findByIds(const TweakCatalog& catalog, const std::vector<std::wstring>& ids);

// The first tweak with exactly this id, or nothing.
TweakPtr findById(const TweakCatalog& catalog, const std::wstring& id);

}  // namespace vx
