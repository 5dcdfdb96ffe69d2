// Registry operations on advapi32, always in the 64-bit view.
#include "platform/registry.h"

#include <windows.h>

#include <algorithm>
#include <limits>

#include "platform/win32/handles.h"
#include "platform/win32/registry_root.h"

namespace vx {

namespace {

using win32::UniqueRegKey;

// Opens an existing key; on failure the Windows error is left in *error when asked for.
UniqueRegKey openKey(RegRoot root, const std::wstring& subkey, REGSAM access, LSTATUS* error = nullptr) {
  HKEY key = nullptr;
  const LSTATUS status = RegOpenKeyExW(win32::hkeyOf(root), subkey.c_str(), 0, access | KEY_WOW64_64KEY, &key);
  if (error != nullptr) *error = status;
  if (status != ERROR_SUCCESS) return {};
  return UniqueRegKey(key);
}

// Opens the key for setting values, creating it and every missing parent.
UniqueRegKey createKey(RegRoot root, const std::wstring& subkey) {
  HKEY key = nullptr;
  const LSTATUS status = RegCreateKeyExW(win32::hkeyOf(root), subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                         KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS) return {};
  return UniqueRegKey(key);
}

bool setValue(RegRoot root, const std::wstring& subkey, const std::wstring& valueName, DWORD type, const void* data,
              DWORD size) {
  const UniqueRegKey key = createKey(root, subkey);
  if (!key) return false;
  return RegSetValueExW(key.get(), valueName.c_str(), 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

// RegEnumKeyExW takes the buffer size as a DWORD; key names are far shorter than that anyway.
DWORD nameBufferSize(std::size_t chars) {
  return static_cast<DWORD>(std::min<std::size_t>(chars, std::numeric_limits<DWORD>::max()));
}

}  // namespace

std::optional<std::uint32_t> regReadDword(RegRoot root, const std::wstring& subkey, const std::wstring& valueName) {
  const UniqueRegKey key = openKey(root, subkey, KEY_QUERY_VALUE);
  if (!key) return std::nullopt;
  DWORD type = REG_NONE;
  DWORD data = 0;
  DWORD size = sizeof(data);
  if (RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  if (type != REG_DWORD || size != sizeof(data)) return std::nullopt;
  return data;
}

std::optional<std::wstring> regReadString(RegRoot root, const std::wstring& subkey, const std::wstring& valueName) {
  const UniqueRegKey key = openKey(root, subkey, KEY_QUERY_VALUE);
  if (!key) return std::nullopt;
  DWORD type = REG_NONE;
  DWORD size = 0;
  if (RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
    return std::nullopt;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;

  // One spare character beyond size/2: an odd byte count or data without a terminator never
  // lets the second query write past the buffer, and the text never relies on a terminator.
  std::wstring buffer(size / sizeof(wchar_t) + 1, L'\0');
  DWORD read = size;
  if (RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &read) !=
      ERROR_SUCCESS)
    return std::nullopt;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;  // replaced between the two queries

  buffer.resize(std::min<std::size_t>(read, size) / sizeof(wchar_t));
  while (!buffer.empty() && buffer.back() == L'\0') buffer.pop_back();
  return buffer;
}

bool regKeyExists(RegRoot root, const std::wstring& subkey) {
  return static_cast<bool>(openKey(root, subkey, KEY_QUERY_VALUE));
}

bool regKeyReadable(RegRoot root, const std::wstring& subkey) { return static_cast<bool>(openKey(root, subkey, KEY_READ)); }

bool regKeyAbsent(RegRoot root, const std::wstring& subkey) {
  LSTATUS status = ERROR_SUCCESS;
  openKey(root, subkey, KEY_READ, &status);
  return status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND;
}

bool regWriteDword(RegRoot root, const std::wstring& subkey, const std::wstring& valueName, std::uint32_t value) {
  const DWORD data = value;
  return setValue(root, subkey, valueName, REG_DWORD, &data, sizeof(data));
}

bool regWriteString(RegRoot root, const std::wstring& subkey, const std::wstring& valueName, const std::wstring& text) {
  // Registry values are limited far below 4 GB; a longer text could not be stored anyway.
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  if (bytes > std::numeric_limits<DWORD>::max()) return false;
  return setValue(root, subkey, valueName, REG_SZ, text.c_str(), static_cast<DWORD>(bytes));
}

std::optional<RegRawValue> regReadRaw(RegRoot root, const std::wstring& subkey, const std::wstring& valueName) {
  const UniqueRegKey key = openKey(root, subkey, KEY_QUERY_VALUE);
  if (!key) return std::nullopt;
  // The value may grow between the size query and the read; ask again while it does.
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
      return std::nullopt;
    RegRawValue value;
    value.data.resize(size);
    DWORD read = size;
    const LSTATUS status =
        RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, size == 0 ? nullptr : value.data.data(), &read);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS) return std::nullopt;
    value.type = type;
    value.data.resize(std::min<DWORD>(read, size));
    return value;
  }
  return std::nullopt;
}

bool regWriteRaw(RegRoot root, const std::wstring& subkey, const std::wstring& valueName, std::uint32_t type,
                 const std::vector<std::uint8_t>& data) {
  if (data.size() > std::numeric_limits<DWORD>::max()) return false;
  return setValue(root, subkey, valueName, type, data.empty() ? nullptr : data.data(), static_cast<DWORD>(data.size()));
}

bool regDeleteValue(RegRoot root, const std::wstring& subkey, const std::wstring& valueName) {
  LSTATUS openError = ERROR_SUCCESS;
  const UniqueRegKey key = openKey(root, subkey, KEY_SET_VALUE, &openError);
  if (!key) {
    // A missing key holds no value. A key that exists but refuses access may still hold it, and
    // reporting that as deleted would make a revert claim success it did not have.
    return openError == ERROR_FILE_NOT_FOUND || openError == ERROR_PATH_NOT_FOUND;
  }
  const LSTATUS status = RegDeleteValueW(key.get(), valueName.c_str());
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

bool regDeleteKeyTree(RegRoot root, const std::wstring& subkey) {
  if (subkey.empty()) return false;  // never the whole root
  const LSTATUS status = RegDeleteTreeW(win32::hkeyOf(root), subkey.c_str());
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND;
}

std::vector<std::wstring> regEnumSubkeys(RegRoot root, const std::wstring& subkey, std::size_t nameBufferChars) {
  std::vector<std::wstring> names;
  const UniqueRegKey key = openKey(root, subkey, KEY_READ);
  if (!key || nameBufferChars == 0) return names;
  std::wstring buffer(nameBufferChars, L'\0');
  for (DWORD index = 0;; ++index) {
    DWORD length = nameBufferSize(nameBufferChars);
    if (RegEnumKeyExW(key.get(), index, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    names.emplace_back(buffer.data(), std::min<std::size_t>(length, nameBufferChars));
  }
  return names;
}

std::optional<std::wstring> regFirstSubkey(RegRoot root, const std::wstring& subkey, std::size_t nameBufferChars) {
  const UniqueRegKey key = openKey(root, subkey, KEY_READ);
  if (!key || nameBufferChars == 0) return std::nullopt;
  std::wstring buffer(nameBufferChars, L'\0');
  DWORD length = nameBufferSize(nameBufferChars);
  if (RegEnumKeyExW(key.get(), 0, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(buffer.data(), std::min<std::size_t>(length, nameBufferChars));
}

}  // namespace vx
