#include "cli/catalog_listing.h"

#include "cli/cli_catalog.h"
#include "core/guarded_calls.h"
#include "core/profiles.h"

namespace vx::cli {

std::vector<std::wstring> catalogListing(const TweakCatalog& catalog) {
  std::vector<std::wstring> lines;
  for (const auto& tweak : catalog)
    lines.push_back(tweak->id + L"\t" + categoryName(tweak->category) + L"\t" + std::to_wstring(tierOf(*tweak)) + L"\t" +
                    (guarded::isAggressive(*tweak) ? L"aggressive" : L"-") + L"\t" +
                    stateName(guarded::queryState(*tweak)) + L"\t" + tweak->title);
  return lines;
}

Json catalogListingJson(const std::vector<TweakPtr>& tweaks) {
  Json rows = Json::array();
  for (const auto& tweak : tweaks)
    rows.push_back({{"id", jsonText(tweak->id)},
                    {"title", jsonText(tweak->title)},
                    {"category", jsonText(categoryName(tweak->category))},
                    {"tier", tierOf(*tweak)},
                    {"aggressive", guarded::isAggressive(*tweak)},
                    {"state", jsonText(stateName(guarded::queryState(*tweak)))},
                    {"note", jsonText(guarded::compatibilityNote(*tweak))}});
  return Json{{"tweaks", rows}};
}

}  // namespace vx::cli
