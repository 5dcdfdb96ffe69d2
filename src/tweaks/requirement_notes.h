// What an advanced tweak needs from the machine, and the one-sentence note a card shows when the
// machine falls short. Used by the descriptive base of the tweak groups.
#pragma once
#include <string>

namespace vx {

enum class Requirement {
  None,
  Windows10,            // Windows 10 or newer
  Windows10Build19041,  // Windows 10 2004 or newer (hardware GPU scheduling)
  NvidiaGpu,            // a display adapter from NVIDIA
  Memory8GiB,           // at least 8 GiB of physical memory
};

// Empty when the machine meets the requirement (or it cannot be checked), otherwise the note.
std::wstring requirementNote(Requirement requirement);

}  // namespace vx
