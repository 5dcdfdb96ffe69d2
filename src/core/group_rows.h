// A group as one table of rows, turned into tweaks by one loop: each row is a registry row, a
// service row, or the maker of a tweak with logic of its own (adapters, files, tools). The core
// rows and every tweak group append themselves with appendRows.
#pragma once
#include <memory>
#include <span>

#include "core/reg_settings_tweak.h"
#include "core/service_tweak.h"

namespace vx {

struct GroupRow {
  const RegistryRow* registry = nullptr;
  const ServiceRow* service = nullptr;
  TweakPtr (*make)() = nullptr;
};

template <class T>
TweakPtr makeTweak() {
  return std::make_shared<T>();
}

// Appends one tweak per row, in row order.
void appendRows(TweakCatalog& catalog, std::span<const GroupRow> rows);

}  // namespace vx
