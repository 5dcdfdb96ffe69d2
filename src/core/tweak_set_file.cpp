#include "core/tweak_set_file.h"

#include <cstdio>

#include <nlohmann/json.hpp>

#include "base/text.h"
#include "core/guarded_calls.h"
#include "core/read_limits.h"
#include "platform/files.h"

namespace vx {

namespace {

std::string isoLocalTime(const CalendarTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04u-%02u-%02uT%02u:%02u:%02u", unsigned{t.year}, unsigned{t.month},
                unsigned{t.day}, unsigned{t.hour}, unsigned{t.minute}, unsigned{t.second});
  return text;
}

TweakSetRead refused(TweakSetError error) { return {error, {}}; }

}  // namespace

std::vector<std::wstring> appliedTweakIds(const TweakCatalog& catalog) {
  std::vector<std::wstring> ids;
  for (const auto& tweak : catalog)
    if (tweak && guarded::queryState(*tweak) == TweakState::Applied) ids.push_back(tweak->id);
  return ids;
}

std::string tweakSetText(const std::vector<std::wstring>& ids, const CalendarTime& created, std::uint32_t windowsBuild) {
  nlohmann::ordered_json set;
  set["format"] = kTweakSetFormat;
  set["version"] = kTweakSetVersion;
  set["created"] = isoLocalTime(created);
  set["windowsBuild"] = windowsBuild;
  set["tweaks"] = nlohmann::ordered_json::array();
  for (const auto& id : ids) set["tweaks"].push_back(toUtf8(id));
  // An id is ours, so it is valid text; replace keeps a dump from throwing whatever it holds.
  return set.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

bool writeTweakSet(const std::wstring& path, const std::vector<std::wstring>& ids) {
  return writeFileAtomic(path, tweakSetText(ids, localTime(), getWindowsVersion().build));
}

TweakSetRead parseTweakSet(std::string_view bytes) {
  // No exceptions: a broken file yields a discarded value.
  const nlohmann::json set = nlohmann::json::parse(bytes.begin(), bytes.end(), nullptr, false);
  if (set.is_discarded()) return refused(TweakSetError::NotJson);
  if (!set.is_object()) return refused(TweakSetError::WrongFormat);
  const auto format = set.find("format");
  const auto version = set.find("version");
  const auto tweaks = set.find("tweaks");
  if (format == set.end() || !format->is_string() || format->get_ref<const std::string&>() != kTweakSetFormat)
    return refused(TweakSetError::WrongFormat);
  if (version == set.end() || !version->is_number_integer() || version->get<std::int64_t>() != kTweakSetVersion)
    return refused(TweakSetError::WrongFormat);
  if (tweaks == set.end() || !tweaks->is_array()) return refused(TweakSetError::WrongFormat);
  TweakSetRead read;
  for (const auto& id : *tweaks) {
    if (!id.is_string()) return refused(TweakSetError::WrongFormat);
    read.ids.push_back(fromUtf8(id.get_ref<const std::string&>()));
  }
  return read;
}

TweakSetRead readTweakSet(const std::wstring& path) {
  const BoundedRead file = readFileBounded(path, kImportedSetLimit);
  if (file.status == ReadStatus::TooLarge) return refused(TweakSetError::TooLarge);
  if (file.status != ReadStatus::Ok) return refused(TweakSetError::Unreadable);
  return parseTweakSet(file.bytes);
}

std::wstring tweakSetErrorText(TweakSetError error) {
  switch (error) {
    case TweakSetError::None: return {};
    case TweakSetError::Unreadable: return L"Файл набора не читается";
    case TweakSetError::TooLarge: return L"Файл набора больше 1 МиБ — не загружен";
    case TweakSetError::NotJson: return L"Файл набора — не JSON";
    case TweakSetError::WrongFormat: return L"Это не набор твиков Vantorix (ожидается формат vantorix-tweaks, версия 1)";
    case TweakSetError::NoKnownTweak: return L"В наборе нет ни одного известного твика";
  }
  return {};
}

}  // namespace vx
