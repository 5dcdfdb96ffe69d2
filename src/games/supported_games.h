// The five games the game tweaks know: the name used in card titles and the executable's file
// name. Used by the game group builders and vxctl games.
#pragma once
#include <span>

namespace vx {

struct SupportedGame {
  const wchar_t* name;        // "Rust"
  const wchar_t* exeName;     // "RustClient.exe", letter case as on disk
  bool mitigations;           // gets a GameMitigationsTweak
};

std::span<const SupportedGame> supportedGames();

}  // namespace vx
