// Reading and writing the live value a TweakChange describes (a registry value, a service's start
// type, the active power scheme) as a RegValueImage, and the readable form of such a value. Used
// by the change journal (before / after of every step), the preview and the restore.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/tweak_change.h"

namespace vx {

// Whether the change's effect can be read back as a value: registry values, service start types
// and the power scheme can; boot values, files and commands cannot.
bool changeHasValue(const TweakChange& change);

// The value as it is now: the registry value's type and bytes, a service's start type as a
// REG_DWORD, the active scheme as its REG_SZ GUID text "{8c5e7fda-...}"; absent() when the value,
// the service or an active scheme is missing. Nothing for a change without a value or when the
// value exists but cannot be read.
std::optional<RegValueImage> readChangeValue(const TweakChange& change);

// Puts the value back: a registry value is written in place with its type and bytes (or deleted
// when absent), a start type is set, a scheme is made active. An absent start type or scheme
// cannot be written and fails. True when the write succeeded.
bool writeChangeValue(const TweakChange& change, const RegValueImage& value);

// "REG_DWORD", "REG_SZ", ... or "тип N" for other types.
std::wstring regTypeName(std::uint32_t type);

// The value for people: "нет" when absent, a DWORD or QWORD in decimal, a string as its text, a
// multi-string's parts joined by " | ", other data as hex bytes ("01 A0 ...", at most 32 shown).
std::wstring readableValue(const RegValueImage& value);

// The hex of the raw bytes, two lower-case digits per byte, and back; nothing for a malformed text.
std::string hexOfBytes(const std::vector<std::uint8_t>& bytes);
std::optional<std::vector<std::uint8_t>> bytesOfHex(const std::string& hex);

}  // namespace vx
