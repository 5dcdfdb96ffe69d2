// Puts registry values back after a test that runs tweaks against the real registry (Wine): each
// remembered value is restored as the DWORD or text it was, or deleted when it did not exist.
// Used by the Windows-only tweak tests.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"

namespace vx::test {

class RegistryValueGuard {
 public:
  RegistryValueGuard() = default;
  RegistryValueGuard(const RegistryValueGuard&) = delete;
  RegistryValueGuard& operator=(const RegistryValueGuard&) = delete;
  ~RegistryValueGuard() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
      if (it->number) {
        regWriteDword(it->root, it->key, it->name, *it->number);
      } else if (it->text) {
        regWriteString(it->root, it->key, it->name, *it->text);
      } else {
        regDeleteValue(it->root, it->key, it->name);
      }
    }
  }

  void remember(RegRoot root, const std::wstring& key, const std::wstring& name) {
    saved_.push_back({root, key, name, regReadDword(root, key, name), regReadString(root, key, name)});
  }

 private:
  struct Saved {
    RegRoot root;
    std::wstring key, name;
    std::optional<std::uint32_t> number;
    std::optional<std::wstring> text;
  };
  std::vector<Saved> saved_;
};

}  // namespace vx::test
