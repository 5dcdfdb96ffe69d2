// The most the program takes into memory from each kind of file it reads (readFileBounded): a
// planted or broken giant file must neither fill memory nor be half-read. Used by the assistant's
// memory file and the game config tweaks.
#pragma once
#include <cstdint>

namespace vx {

inline constexpr std::uint64_t kMemoryFileLimit = 1ull << 20;   // memory.json: 1 MiB
inline constexpr std::uint64_t kGameConfigLimit = 64ull << 20;  // a game's config file: 64 MiB
// The change journal keeps to the first; the tweak set import reads at most the second.
inline constexpr std::uint64_t kJournalFileLimit = 2ull << 20;  // journal.jsonl: 2 MiB plus one line
inline constexpr std::uint64_t kImportedSetLimit = 1ull << 20;  // an imported set: 1 MiB

}  // namespace vx
