#include "games/mitigation_options.h"

namespace vx::mitigation {

std::vector<std::uint8_t> gameOffValue() {
  std::vector<std::uint8_t> bytes(16, 0);
  const std::uint64_t word = gameOffWord();
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<std::uint8_t>(word >> (8 * i));
  return bytes;
}

bool holdsGameOff(const std::vector<std::uint8_t>& data) {
  if (data.size() < 8) return false;
  std::uint64_t word = 0;
  for (int i = 0; i < 8; ++i) word |= static_cast<std::uint64_t>(data[i]) << (8 * i);
  for (int shift : kGameOffShifts)
    if (((word >> shift) & kFieldMask) != kAlwaysOff) return false;
  return true;
}

}  // namespace vx::mitigation
