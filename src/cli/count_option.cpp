#include "cli/count_option.h"

namespace vx::cli {

namespace {

constexpr std::uint32_t kMaxCount = 86'400;

}  // namespace

CountOption parseCountOption(const std::vector<std::wstring>& args, const std::wstring& name) {
  if (args.empty()) return {};
  if (args.size() != 2 || args[0] != name || args[1].empty() || args[1].size() > 5 ||
      args[1].find_first_not_of(L"0123456789") != std::wstring::npos)
    return {false, std::nullopt};
  const auto value = static_cast<std::uint32_t>(std::stoul(args[1]));
  if (value == 0 || value > kMaxCount) return {false, std::nullopt};
  return {true, value};
}

}  // namespace vx::cli
