// The IFEO "MitigationOptions" value as Windows reads it: a REG_BINARY of two little-endian 64-bit
// words, one 4-bit field per mitigation (0 system default, 1 always on, 2 always off). Used by
// GameMitigationsTweak; a Windows-only test holds the field positions against the SDK constants.
#pragma once
#include <cstdint>
#include <vector>

namespace vx::mitigation {

// Bit positions of the fields in the first 64-bit word.
inline constexpr int kForceRelocateImagesShift = 8;  // mandatory ASLR
inline constexpr int kBottomUpAslrShift = 16;
inline constexpr int kControlFlowGuardShift = 40;

inline constexpr std::uint64_t kFieldMask = 0xF;
inline constexpr std::uint64_t kAlwaysOff = 2;

// The fields this program switches off for a game: control flow guard, forced relocation of
// images and bottom-up ASLR. DEP stays with the system: a 64-bit process always has it.
inline constexpr int kGameOffShifts[] = {kControlFlowGuardShift, kForceRelocateImagesShift, kBottomUpAslrShift};

// The first word with those three fields always off and every other field 0.
constexpr std::uint64_t gameOffWord() {
  std::uint64_t word = 0;
  for (int shift : kGameOffShifts) word |= kAlwaysOff << shift;
  return word;
}

// 16 bytes: the first word, then a second word of 0.
std::vector<std::uint8_t> gameOffValue();

// The value holds the three fields as always off (REG_BINARY data of at least 8 bytes).
bool holdsGameOff(const std::vector<std::uint8_t>& data);

}  // namespace vx::mitigation
