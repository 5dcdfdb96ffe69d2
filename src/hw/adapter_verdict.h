// How the adapter lists judged one subkey of a device class key: kept, or left out and why. Used
// by vxctl selftest to show the classification on the user's own PC next to what it decided.
#pragma once
#include <string>

namespace vx {

struct AdapterVerdict {
  std::wstring subkey;          // "0000"
  std::wstring name;            // DriverDesc, or empty when the subkey has none
  std::wstring leftOutBecause;  // empty: kept; otherwise a short Russian reason
  bool kept() const { return leftOutBecause.empty(); }
};

}  // namespace vx
