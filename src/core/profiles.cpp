#include "core/profiles.h"
#include "core/guarded_calls.h"

#include <unordered_map>
#include <vector>

#include "core/engine.h"

namespace vx {

namespace {

struct TierRow {
  int tier;
  std::vector<const wchar_t*> ids;
};

// Tweaks whose own tier() is 0 take their profile tier from here.
const std::unordered_map<std::wstring, int>& tierMap() {
  static const std::unordered_map<std::wstring, int> map = [] {
    const TierRow rows[] = {
        {TierBasic, {L"system.show_ext", L"system.long_paths", L"cleanup.no_recent_jumplist", L"priv.advertising_id"}},
        {TierOptimal,
         {L"power.high", L"perf.priorityseparation", L"perf.visualfx", L"perf.sysmain", L"game.disable_gamedvr",
          L"game.gamemode", L"priv.telemetry", L"priv.diagtrack", L"net.no_throttling", L"net.system_responsiveness",
          L"net.tcp_nodelay", L"net.vip.tcp_latency", L"system.mouse_accel", L"system.ntfs_lastaccess",
          L"perf.usb_power", L"perf.fso_off", L"perf.shader_cache", L"perf.dyn_priority", L"perf.hags",
          L"game.kill_gamebar", L"game.mouse_raw"}},
        {TierMaximum,
         {L"perf.gpu_msi", L"perf.pcie_no_aspm", L"perf.no_spectre_meltdown", L"net.vip.intr_moderation",
          L"net.vip.disable_eee", L"perf.bcd_hpet", L"perf.nv_pstate", L"perf.system_cache", L"perf.hpet_off",
          L"pro.mmcss_gaming", L"pro.no_throttle", L"pro.gpu_tdr", L"pro.no_cortana", L"pro.no_memcomp",
          L"pro.tcp_autotune", L"pro.no_reserved_storage", L"game.nv_no_ulps", L"game.mit.RustClient.exe",
          L"game.mit.cs2.exe", L"game.mit.ARC-Win64-Shipping.exe", L"game.mit.TslGame.exe"}},
    };
    std::unordered_map<std::wstring, int> built;
    for (const auto& row : rows)
      for (const wchar_t* id : row.ids) built.emplace(id, row.tier);
    return built;
  }();
  return map;
}

bool inProfile(int tier, int level) {
  if (tier == 0) return false;
  if (level == 3) return true;
  if (level == 2) return tier == 1 || tier == 2;
  return tier == 1;
}

}  // namespace

int tierOf(const Tweak& tweak) {
  if (const int own = guarded::tier(tweak); own != 0) return own;
  const auto& map = tierMap();
  const auto it = map.find(tweak.id);
  return it == map.end() ? 0 : it->second;
}

std::vector<TweakPtr> selectProfile(int level, const TweakCatalog& catalog) {
  return selectProfile(level, catalog, [](Tweak& tweak) { return guarded::queryState(tweak); });
}

std::vector<TweakPtr> selectProfile(int level, const TweakCatalog& catalog,
                                    const std::function<TweakState(Tweak&)>& stateOf) {
  std::vector<TweakPtr> list;
  for (const auto& tweak : catalog) {
    if (!tweak || !inProfile(tierOf(*tweak), level)) continue;
    if (stateOf(*tweak) == TweakState::Unavailable) continue;
    list.push_back(tweak);
  }
  return list;
}

std::wstring profileName(int level) {
  if (level == 1) return L"Базовая";
  if (level == 2) return L"Оптимальная";
  return L"Максимум";
}

}  // namespace vx
