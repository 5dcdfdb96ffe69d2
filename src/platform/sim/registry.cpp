// The registry operations on the simulated machine, with the results Windows gives: typed reads,
// writes that create the path, subkey enumeration in hive order honouring the name buffer.
#include "platform/registry.h"

#include "base/text.h"
#include "platform/sim/machine_state.h"

namespace vx {

namespace {

using sim::RegKey;
using sim::RegType;

// Runs fn(state) with the machine's lock held.
template <typename Fn>
auto withState(Fn fn) {
  auto& m = sim::machine();
  std::lock_guard lock(m.mutex());
  return fn(m.state());
}

// The value as RegQueryValueExW would find it through a key opened for querying.
const sim::RegValue* readValue(sim::Machine::State& s, RegRoot root, const std::wstring& subkey,
                               const std::wstring& valueName) {
  ++s.registryReads;
  RegKey* key = s.openKey(root, subkey);
  if (key == nullptr) return nullptr;
  auto it = key->values.find(toLowerFolded(valueName));
  return it == key->values.end() ? nullptr : &it->second.value;
}

bool writeValue(RegRoot root, const std::wstring& subkey, const std::wstring& valueName, RegType type,
                std::vector<std::uint8_t> data) {
  return withState([&](sim::Machine::State& s) {
    ++s.registryWrites;
    RegKey* key = s.createKey(root, subkey, true);
    if (key == nullptr || key->readOnly) return false;
    auto& slot = key->values[toLowerFolded(valueName)];
    if (slot.name.empty()) slot.name = valueName;
    slot.value = sim::RegValue{type, std::move(data)};
    sim::logWrite(s, {sim::Machine::Write::Kind::RegistryValue, root, subkey, valueName, slot.value});
    return true;
  });
}

// Names of the subkeys up to the first that does not fit the buffer (name and NUL).
std::vector<std::wstring> enumerate(RegRoot root, const std::wstring& subkey, std::size_t nameBufferChars,
                                    std::size_t limit) {
  return withState([&](sim::Machine::State& s) {
    std::vector<std::wstring> names;
    RegKey* key = s.openKey(root, subkey);
    if (key == nullptr) return names;
    for (const auto& [order, child] : key->subkeys) {
      if (names.size() == limit || utf16Length(child->name) + 1 > nameBufferChars) break;
      names.push_back(child->name);
    }
    return names;
  });
}

}  // namespace

std::optional<std::uint32_t> regReadDword(RegRoot root, const std::wstring& subkey, const std::wstring& valueName) {
  return withState([&](sim::Machine::State& s) -> std::optional<std::uint32_t> {
    const sim::RegValue* v = readValue(s, root, subkey, valueName);
    if (v == nullptr || v->type != RegType::Dword || v->data.size() != 4) return std::nullopt;
    return v->data[0] | (v->data[1] << 8) | (v->data[2] << 16) | (static_cast<std::uint32_t>(v->data[3]) << 24);
  });
}

std::optional<std::wstring> regReadString(RegRoot root, const std::wstring& subkey, const std::wstring& valueName) {
  return withState([&](sim::Machine::State& s) -> std::optional<std::wstring> {
    const sim::RegValue* v = readValue(s, root, subkey, valueName);
    if (v == nullptr || (v->type != RegType::Sz && v->type != RegType::ExpandSz)) return std::nullopt;
    std::wstring text = sim::fromUtf16leBytes(v->data);
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
  });
}

bool regKeyExists(RegRoot root, const std::wstring& subkey) {
  return withState([&](sim::Machine::State& s) { return s.openKey(root, subkey) != nullptr; });
}

bool regKeyReadable(RegRoot root, const std::wstring& subkey) { return regKeyExists(root, subkey); }

// A key denied by Machine::denyKeyAccess exists: Windows answers access denied for it, not
// "not found".
bool regKeyAbsent(RegRoot root, const std::wstring& subkey) {
  return withState([&](sim::Machine::State& s) { return s.findKey(root, subkey) == nullptr; });
}

bool regWriteDword(RegRoot root, const std::wstring& subkey, const std::wstring& valueName, std::uint32_t value) {
  return writeValue(root, subkey, valueName, RegType::Dword,
                    {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                     static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)});
}

bool regWriteString(RegRoot root, const std::wstring& subkey, const std::wstring& valueName, const std::wstring& text) {
  return writeValue(root, subkey, valueName, RegType::Sz, sim::toUtf16leBytes(text, true));
}

std::optional<RegRawValue> regReadRaw(RegRoot root, const std::wstring& subkey, const std::wstring& valueName) {
  return withState([&](sim::Machine::State& s) -> std::optional<RegRawValue> {
    const sim::RegValue* v = readValue(s, root, subkey, valueName);
    if (v == nullptr) return std::nullopt;
    return RegRawValue{static_cast<std::uint32_t>(v->type), v->data};
  });
}

bool regWriteRaw(RegRoot root, const std::wstring& subkey, const std::wstring& valueName, std::uint32_t type,
                 const std::vector<std::uint8_t>& data) {
  return writeValue(root, subkey, valueName, static_cast<RegType>(type), data);
}

bool regDeleteValue(RegRoot root, const std::wstring& subkey, const std::wstring& valueName) {
  return withState([&](sim::Machine::State& s) {
    ++s.registryWrites;
    RegKey* key = s.findKey(root, subkey);
    if (key != nullptr && (key->denied || key->readOnly)) return false;  // the value may still be there
    if (key != nullptr) key->values.erase(toLowerFolded(valueName));    // a missing key: nothing to delete
    sim::logWrite(s, {sim::Machine::Write::Kind::RegistryDelete, root, subkey, valueName});
    return true;
  });
}

bool regDeleteKeyTree(RegRoot root, const std::wstring& subkey) {
  if (subkey.empty()) return false;  // never the whole root
  const bool deletable = withState([&](sim::Machine::State& s) {
    ++s.registryWrites;
    const RegKey* key = s.findKey(root, subkey);
    if (key == nullptr) return true;
    // RegDeleteTreeW stops at a key it may not open or change; look through the whole tree.
    const auto refuses = [](const RegKey& k, const auto& self) -> bool {
      if (k.denied || k.readOnly) return true;
      for (const auto& [name, child] : k.subkeys)
        if (self(*child, self)) return true;
      return false;
    };
    return !refuses(*key, refuses);
  });
  if (deletable) {
    sim::machine().deleteKey(root, subkey);
    withState([&](sim::Machine::State& s) { sim::logWrite(s, {sim::Machine::Write::Kind::RegistryKeyTree, root, subkey}); });
  }
  return deletable;
}

std::vector<std::wstring> regEnumSubkeys(RegRoot root, const std::wstring& subkey, std::size_t nameBufferChars) {
  return enumerate(root, subkey, nameBufferChars, static_cast<std::size_t>(-1));
}

std::optional<std::wstring> regFirstSubkey(RegRoot root, const std::wstring& subkey, std::size_t nameBufferChars) {
  auto names = enumerate(root, subkey, nameBufferChars, 1);
  if (names.empty()) return std::nullopt;
  return names.front();
}

}  // namespace vx
