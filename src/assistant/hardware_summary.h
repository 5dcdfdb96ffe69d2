// The five lines the assistant shows when asked about the machine: CPU, GPU, RAM, system drive and
// desktop or laptop. Used by the reply composer's hardware answer.
#pragma once
#include <string>

#include "hw/hardware_profile.h"

namespace vx {

// "CPU: …\nGPU: …\nОЗУ: N ГБ\nСистемный диск: SSD|HDD\nТип: ноутбук|десктоп" (no final line end);
// an unknown name shows as "?".
std::wstring hardwareSummary(const HardwareProfile& hardware);

}  // namespace vx
