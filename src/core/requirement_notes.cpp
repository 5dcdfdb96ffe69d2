#include "core/requirement_notes.h"

#include <cstdint>

#include "platform/system.h"

namespace vx {

namespace {

constexpr std::uint64_t kEightGiB = 0x200000000ULL;
// Windows 10 2004 is the first build whose display driver model schedules the GPU in hardware.
constexpr std::uint32_t kHagsFirstBuild = 19041;
constexpr std::uint32_t kWindows11FirstBuild = 22000;

}  // namespace

std::wstring requirementNote(Requirement requirement) {
  switch (requirement) {
    case Requirement::None:
      return {};
    case Requirement::Windows10:
      // A version that cannot be read is 0.0.0 and counts as too old.
      return getWindowsVersion().major < 10 ? L"Требуется Windows 10 или новее." : L"";
    case Requirement::Windows10Build19041: {
      const WindowsVersion v = getWindowsVersion();
      const bool tooOld = v.major < 10 || (v.major == 10 && v.build < kHagsFirstBuild);
      return tooOld ? L"Требуется Windows 10 2004 (build 19041) или новее." : L"";
    }
    case Requirement::Windows11:
      // Windows 11 still reports major version 10; a build that cannot be read is 0 and too old.
      return getWindowsVersion().build < kWindows11FirstBuild ? L"Только для Windows 11" : L"";
    case Requirement::Memory8GiB: {
      // When the memory cannot be read the tweak is not advised against.
      const auto memory = memoryStatus();
      return memory && memory->totalPhysBytes < kEightGiB ? L"Не рекомендуется при ОЗУ < 8 ГБ." : L"";
    }
  }
  return {};
}

bool requirementBlocks(Requirement requirement) {
  return requirement == Requirement::Windows11 && !requirementNote(requirement).empty();
}

}  // namespace vx
