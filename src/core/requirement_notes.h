// What a tweak needs from the machine, and the one-sentence note a card shows when the machine
// falls short. A hard requirement also makes the tweak unavailable: below it Windows would ignore
// what the tweak writes. Used by the descriptive base of the row kinds (described_tweak.h).
#pragma once
#include <string>

namespace vx {

enum class Requirement {
  None,
  Windows10,            // Windows 10 or newer
  Windows10Build19041,  // Windows 10 2004 or newer (hardware GPU scheduling)
  Windows11,            // Windows 11 (build 22000) or newer; hard
  Memory8GiB,           // at least 8 GiB of physical memory
};

// Empty when the machine meets the requirement (or it cannot be checked), otherwise the note.
std::wstring requirementNote(Requirement requirement);

// The requirement is hard and the machine falls short of it.
bool requirementBlocks(Requirement requirement);

}  // namespace vx
