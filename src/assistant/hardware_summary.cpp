#include "assistant/hardware_summary.h"

namespace vx {

namespace {

std::wstring orQuestionMark(const std::wstring& name) { return name.empty() ? L"?" : name; }

}  // namespace

std::wstring hardwareSummary(const HardwareProfile& hardware) {
  return L"CPU: " + orQuestionMark(hardware.cpuName) + L"\n" +                              //
         L"GPU: " + orQuestionMark(hardware.gpuName) + L"\n" +                              //
         L"ОЗУ: " + std::to_wstring(hardware.totalRamMb / 1024) + L" ГБ\n" +                //
         L"Системный диск: " + (hardware.isSsd ? L"SSD\n" : L"HDD\n") +                      //
         L"Тип: " + (hardware.isLaptop ? L"ноутбук" : L"десктоп");
}

}  // namespace vx
