// What the vxctl commands share: the process's tweak catalogue, category names as typed on the
// command line, and id lookup with error lines for unknown ids.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "core/tweak.h"

namespace vx::cli {

// Built on first use; vxctl runs one command per process.
const TweakCatalog& catalog();

// The category's enum name: "Performance", "Games", "Privacy", "Network", "System", "Cleanup", "Pro".
const wchar_t* categoryName(TweakCategory category);
// The category whose enum name equals the text without regard to case.
std::optional<TweakCategory> parseCategory(const std::wstring& text);

// The tweaks with these ids in the given order; prints an error line for every unknown id and
// returns nothing if there was one.
std::optional<std::vector<TweakPtr>> tweaksByIds(const std::vector<std::wstring>& ids);

}  // namespace vx::cli
