// Registry access for all tweak logic: typed value reads and writes, key probes and subkey
// enumeration, always in the 64-bit registry view. Implemented by win32/ (advapi32) and sim/.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vx {

// The predefined registry roots the program touches; mapped to HKEY only inside win32/.
enum class RegRoot { LocalMachine, CurrentUser, ClassesRoot, Users };

// A REG_DWORD value; absent when the key or value is missing, the value is not REG_DWORD,
// or its data does not fit four bytes.
std::optional<std::uint32_t> regReadDword(RegRoot root, const std::wstring& subkey, const std::wstring& valueName);

// A REG_SZ or REG_EXPAND_SZ value as stored (not expanded), trailing NULs removed.
std::optional<std::wstring> regReadString(RegRoot root, const std::wstring& subkey, const std::wstring& valueName);

// The key can be opened for querying values.
bool regKeyExists(RegRoot root, const std::wstring& subkey);

// The key can be opened with full read access (KEY_READ), as the backup exporter probes it.
bool regKeyReadable(RegRoot root, const std::wstring& subkey);

// The key does not exist: opening it answers "not found". A key that exists but refuses to be
// opened (access denied) is not absent.
bool regKeyAbsent(RegRoot root, const std::wstring& subkey);

// Writes create every missing key on the path.
bool regWriteDword(RegRoot root, const std::wstring& subkey, const std::wstring& valueName, std::uint32_t value);
bool regWriteString(RegRoot root, const std::wstring& subkey, const std::wstring& valueName, const std::wstring& text);

// True when the value is gone afterwards: also for a missing key or a missing value.
bool regDeleteValue(RegRoot root, const std::wstring& subkey, const std::wstring& valueName);

// Deletes the key with its values and every subkey below it. True when the key is gone afterwards,
// also when it was not there; false when any part of it refuses to be deleted.
bool regDeleteKeyTree(RegRoot root, const std::wstring& subkey);

// Names of the direct subkeys in the order the hive enumerates them (RegEnumKeyExW from index 0).
// nameBufferChars is the caller's name buffer in characters, terminating NUL included: a name
// that does not fit fails that index, and enumeration stops at the first failing index.
// Empty when the key cannot be opened with KEY_READ.
std::vector<std::wstring> regEnumSubkeys(RegRoot root, const std::wstring& subkey, std::size_t nameBufferChars = 256);

// The first subkey name (index 0) or nothing.
std::optional<std::wstring> regFirstSubkey(RegRoot root, const std::wstring& subkey, std::size_t nameBufferChars = 256);

// Windows value types, for values read and written as raw bytes.
constexpr std::uint32_t kRegTypeSz = 1, kRegTypeExpandSz = 2, kRegTypeBinary = 3, kRegTypeDword = 4,
                        kRegTypeMultiSz = 7, kRegTypeQword = 11;

// A value of any type with its data exactly as the registry stores it.
struct RegRawValue {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
  bool operator==(const RegRawValue&) const = default;
};

// The value's type and bytes; nothing when the key or the value is missing or cannot be read.
std::optional<RegRawValue> regReadRaw(RegRoot root, const std::wstring& subkey, const std::wstring& valueName);

// Writes the bytes under the given type (no terminator added); creates every missing key.
bool regWriteRaw(RegRoot root, const std::wstring& subkey, const std::wstring& valueName, std::uint32_t type,
                 const std::vector<std::uint8_t>& data);

// Short root names used on reg.exe command lines: HKLM, HKCU, HKCR, HKU.
const wchar_t* regRootShortName(RegRoot root);

}  // namespace vx
