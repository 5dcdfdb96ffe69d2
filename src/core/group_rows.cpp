#include "core/group_rows.h"

namespace vx {

void appendRows(TweakCatalog& catalog, std::span<const GroupRow> rows) {
  for (const GroupRow& row : rows) {
    if (row.registry != nullptr) catalog.push_back(std::make_shared<RegSettingsTweak>(*row.registry));
    else if (row.service != nullptr) catalog.push_back(std::make_shared<ServiceTweak>(*row.service));
    else catalog.push_back(row.make());
  }
}

}  // namespace vx
