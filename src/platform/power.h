// The power schemes (powrprof): the active one and the ones present. Used by the power-plan tweak;
// implemented by win32/ and sim/.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace vx {

// A GUID as its 16 bytes in memory order (Data1..Data3 little-endian, then Data4).
struct Guid {
  std::array<std::uint8_t, 16> bytes{};
  bool operator==(const Guid&) const = default;
};

constexpr Guid makeGuid(std::uint32_t d1, std::uint16_t d2, std::uint16_t d3, std::array<std::uint8_t, 8> d4) {
  return Guid{{static_cast<std::uint8_t>(d1), static_cast<std::uint8_t>(d1 >> 8), static_cast<std::uint8_t>(d1 >> 16),
               static_cast<std::uint8_t>(d1 >> 24), static_cast<std::uint8_t>(d2), static_cast<std::uint8_t>(d2 >> 8),
               static_cast<std::uint8_t>(d3), static_cast<std::uint8_t>(d3 >> 8), d4[0], d4[1], d4[2], d4[3], d4[4],
               d4[5], d4[6], d4[7]}};
}

// Windows' built-in schemes.
constexpr Guid kHighPerformanceScheme = makeGuid(0x8c5e7fda, 0xe8bf, 0x4a96, {0x9a, 0x85, 0xa6, 0xe2, 0x3a, 0x8c, 0x63, 0x5c});
constexpr Guid kBalancedScheme = makeGuid(0x381b4222, 0xf694, 0x41f0, {0x96, 0x85, 0xff, 0x5b, 0xb2, 0x60, 0xdf, 0x2e});
constexpr Guid kPowerSaverScheme = makeGuid(0xa1841308, 0x3541, 0x4fab, {0xbc, 0x81, 0xf7, 0x15, 0x56, 0xf2, 0x0b, 0x4a});

// PowerGetActiveScheme; nothing when it fails or returns no scheme.
std::optional<Guid> activePowerScheme();
// PowerSetActiveScheme; true when it returns 0.
bool setActivePowerScheme(const Guid& scheme);

// The schemes present, in enumeration order (PowerEnumerate with ACCESS_SCHEME); nothing when the
// enumeration fails (Wine answers ERROR_CALL_NOT_IMPLEMENTED).
std::optional<std::vector<Guid>> powerSchemes();

}  // namespace vx
