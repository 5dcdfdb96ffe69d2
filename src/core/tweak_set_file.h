// The file a user keeps a tweak set in: {"format": "vantorix-tweaks", "version": 1, "created",
// "windowsBuild", "tweaks": [ids]} as UTF-8 JSON. Written by vxctl export and the journal page's
// "Сохранить набор", read back (bounded, checked before anything changes) by the import.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/tweak.h"
#include "platform/system.h"

namespace vx {

inline constexpr const char* kTweakSetFormat = "vantorix-tweaks";
inline constexpr int kTweakSetVersion = 1;

// The ids of every tweak that reads Applied now, in catalogue order (queries every tweak).
std::vector<std::wstring> appliedTweakIds(const TweakCatalog& catalog);

// The file's text: the ids as given, `created` as ISO 8601 local time ("2026-03-10T14:05:09").
std::string tweakSetText(const std::vector<std::wstring>& ids, const CalendarTime& created, std::uint32_t windowsBuild);

// Writes the set beside the target first and moves it into place (writeFileAtomic), stamped with
// the local time and the Windows build now.
bool writeTweakSet(const std::wstring& path, const std::vector<std::wstring>& ids);

// Why a file is refused before anything changes.
enum class TweakSetError { None, Unreadable, TooLarge, NotJson, WrongFormat, NoKnownTweak };

struct TweakSetRead {
  TweakSetError error = TweakSetError::None;
  std::vector<std::wstring> ids;  // as the file lists them; empty unless error is None
};

// Checks the text: valid JSON, an object of this format and version whose "tweaks" is an array of
// strings. Never throws, whatever the bytes are. NoKnownTweak is for the caller, who knows the catalogue.
TweakSetRead parseTweakSet(std::string_view bytes);

// Reads at most kImportedSetLimit bytes of the file, then parses them.
TweakSetRead readTweakSet(const std::wstring& path);

// The Russian refusal for an error other than None.
std::wstring tweakSetErrorText(TweakSetError error);

}  // namespace vx
